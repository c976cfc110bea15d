#include "perform/slide_bar.h"

#include <algorithm>

#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "perform/bar_drawing.h"
#include "perform/play_state.h"
#include "perform/view_link.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/timer_service.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

constexpr int kBendMax = 16383;  // largest 14-bit bend

// Tuning editor grid: eight columns 140 pixels apart, eight rows 26 apart,
// boxes 19 pixels high.
constexpr int kGridLeft = 40;
constexpr int kGridColumnStep = 140;
constexpr int kGridTop = 205;
constexpr int kGridRowStep = 26;
constexpr int kGridBoxHeight = 19;
struct GridBox {
  int left, right, code;
};
constexpr GridBox kGridBoxes[] = {
    {0, 43, kGridNoteBox}, {70, 80, kGridPedal1Box}, {95, 105, kGridPedal2Box}};

// The leave-window check shrinks the window by these margins (pixels).
constexpr int kLeaveMarginLeftTop = 2;
constexpr int kLeaveMarginRightBottom = 1;

bool InsideHalfOpen(const Rect& r, int x, int y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}
bool InsideClosed(const Rect& r, int x, int y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}
bool IsNeckRegion(int r) { return r == UpperNeck || r == LowerNeck; }

void ClearPlayPosition() {
  g_PlayNeck = -1;
  g_PlayString = -1;
  g_BarFret = -1;
}

// The string-and-fret cell of a neck region under the point.
int HitNeck(int r, int x, int y) {
  const Rect& box = g_Region[r];
  for (int j = 0; j < kStringCount; ++j) {
    const int top = box.top + kStringRowHeight * j;
    if (y < top || y >= top + kStringRowHeight) continue;
    for (int k = 0; k < kFretCount; ++k) {
      const int left = box.left + kFretWidth * k;
      if (x < left || x >= left + kFretWidth) continue;
      g_PlayNeck = r == UpperNeck ? 0 : 1;
      g_PlayString = j;
      g_BarFret = k;
      g_BarX = x - box.left;
      return r;
    }
  }
  ClearPlayPosition();
  MessageBeep(MB_ICONEXCLAMATION);
  return r;
}

int HitTuningGrid(int x, int y) {
  for (int l = 0; l < kTuningCount; ++l) {
    const int x0 = kGridLeft + kGridColumnStep * l;
    for (int j = 0; j < kStringCount; ++j) {
      const int y0 = kGridTop + kGridRowStep * j;
      if (y < y0 || y >= y0 + kGridBoxHeight) continue;
      for (const GridBox& b : kGridBoxes) {
        if (x0 + b.left <= x && x < x0 + b.right) return 100 * l + 10 * j + b.code;
      }
    }
  }
  return -1;
}

void SleepAfterMotion() {
  if (!g_bAutoPlay && g_Platform.timers) g_Platform.timers->Sleep(kBarMotionSleepMs);
}

}  // namespace

int HitTest(int x, int y) {
  g_PlayNeck = -1;
  if (g_Page == kPlayPage && g_bKeyHeld && IsNeckRegion(g_Capture)) {
    g_PlayNeck = g_DrawnNeck;
    g_PlayString = g_DrawnString;
    g_BarFret = g_DrawnFret;
    g_BarX = x - kNeckLeft;
    return g_Capture;
  }
  for (int r = PlayButton; r <= CloseButton; ++r) {
    if (InsideHalfOpen(g_Region[r], x, y)) return r;
  }
  switch (g_Page) {
    case 0: {
      int r = -1;
      for (int i = UpperNeck; i <= LowerMidiShift; ++i) {
        if (InsideClosed(g_Region[i], x, y)) {
          r = i;
          break;
        }
      }
      if (IsNeckRegion(r)) return HitNeck(r, x, y);
      ClearPlayPosition();
      return r;
    }
    case 1:
      return HitTuningGrid(x, y);
    case 3:
      for (int r = BankMsbUp; r <= VibDelayDown; ++r) {
        if (InsideHalfOpen(g_Region[r], x, y)) return r;
      }
      return -1;
    default:
      return -1;
  }
}

int BarBendAt(int bar_x) {
  return (bar_x - g_FretCentreX) * kBendPerPixelNum / kBendPerPixelDen + kBendCentre;
}

void SendBend(int n, int i) {
  const int c = g_Neck[n].Channel[i];
  // The bar and pedal bends always stay inside 14 bits on the necks; the
  // clamp only guards the data bytes against values from elsewhere.
  const int v = std::clamp(g_BarBend + g_Neck[n].BendNow[i], 0, kBendMax);
  SendShort(kPitchBend + c, v % 128, v / 128);
  SendShort(kPitchBend + c + 1, v % 128, v / 128);
}

void OnMouseMove(WPARAM, Point p) {
  g_CursorClient = p;
  g_CursorScreen = g_Platform.pointer ? g_Platform.pointer->ClientToScreen(p) : p;
  const int r = HitTest(p.x, p.y);

  if (g_Page == kPlayPage && !IsNeckRegion(g_Capture) && r != g_HintRegion) {
    if (g_pView) {
      g_pView->DrawHint(g_pView->canvas(), r);
      g_pView->Present();
    }
    g_HintRegion = r;
  }
  if (g_Capture == MoveButton) {
    if (g_ViewLink.dragWindow) g_ViewLink.dragWindow();
    return;
  }
  if (!g_bAutoPlay && g_Platform.pointer) {
    const bool on_neck = g_Page == kPlayPage && IsNeckRegion(r);
    g_Platform.pointer->SetCursorShape(on_neck ? CursorShape::Cross : CursorShape::Arrow);
  }
  if (g_Page == kPlayPage && g_bKeyHeld && IsNeckRegion(g_Capture)) {
    const int x = std::clamp(g_CursorClient.x, g_Region[UpperNeck].left, g_Region[UpperNeck].right);
    g_BarX = x - kNeckLeft;
    if (g_BarX == g_DrawnBarX) return;
    const int n = g_PlayNeck;
    if (n == 0 || n == 1) {
      for (int i = 0; i < kStringCount; ++i) {
        if (g_Neck[n].SoundingNote[i] == -1) continue;
        g_BarBend = BarBendAt(g_BarX);
        SendBend(n, i);
      }
    }
    DrawBar(false);
    SleepAfterMotion();
    return;
  }
  if (g_Page == kPlayPage) {
    DrawBar(false);
    SleepAfterMotion();
    return;
  }
  if (g_Capture >= BankMsbUp && g_Capture <= VibDelayDown && r != g_Capture) {
    if (g_ViewLink.releaseSpin) g_ViewLink.releaseSpin(g_Capture);
  }
}

void ClipCursorToRegion(bool on, int region) {
  if (g_bAutoPlay || !g_Platform.pointer) return;
  PointerService& pointer = *g_Platform.pointer;
  if (on) {
    const Rect& r = g_Region[region];
    const Point tl = pointer.ClientToScreen({r.left, r.top});
    const Point br = pointer.ClientToScreen({r.right, r.bottom});
    // The clip excludes its right and bottom edges; the neck includes them.
    const Rect clip{tl.x, tl.y, br.x + 1, br.y + 1};
    pointer.ClipCursor(&clip);
    return;
  }
  if (!g_bKeyHeld && !g_Pedal1 && !g_Pedal2) pointer.ClipCursor(nullptr);
}

void TakeCapture() {
  if (!g_bAutoPlay && g_Platform.pointer) g_Platform.pointer->SetCapture();
}

void ReleaseMouseCapture() {
  if (g_Platform.pointer) g_Platform.pointer->ReleaseCapture();
}

void LeaveWindowCheck() {
  if (g_bAutoPlay || (g_PlayNeck != 0 && g_PlayNeck != 1) || !g_Platform.pointer) return;
  const PointerService& pointer = *g_Platform.pointer;
  const Point at = pointer.GetCursorPos();
  const Rect w = pointer.WindowRect();
  const Rect inner{w.left + kLeaveMarginLeftTop, w.top + kLeaveMarginLeftTop,
                   w.right - kLeaveMarginRightBottom, w.bottom - kLeaveMarginRightBottom};
  if (InsideHalfOpen(inner, at.x, at.y)) return;
  OnMouseMove(0, pointer.ScreenToClient(at));
}
