#include "perform/slide_bar.h"

#include <algorithm>

#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "perform/bar_drawing.h"
#include "perform/neck_geometry.h"
#include "perform/play_state.h"
#include "perform/regions.h"
#include "perform/screen_sink.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/timer_service.h"

namespace {

constexpr int kBendMax = 16383;  // largest 14-bit bend

// The leave-window check shrinks the window by these margins (pixels).
constexpr int kLeaveMarginLeftTop = 2;
constexpr int kLeaveMarginRightBottom = 1;

bool InsideHalfOpen(const Rect& r, int x, int y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

void SleepAfterMotion() {
  if (!g_bAutoPlay && g_Platform.timers) g_Platform.timers->Sleep(kBarMotionSleepMs);
}

}  // namespace

void ClearPlayPosition() {
  g_PlayNeck = -1;
  g_PlayString = -1;
  g_BarFret = -1;
}

int HitNeck(int n, int x, int y) {
  const Rect& box = kNeckRect[n];
  const int r = NeckRegion(n);
  for (int j = 0; j < kStringCount; ++j) {
    const int top = box.top + kStringRowHeight * j;
    if (y < top || y >= top + kStringRowHeight) continue;
    for (int k = 0; k < kFretCount; ++k) {
      const int left = box.left + kFretWidth * k;
      if (x < left || x >= left + kFretWidth) continue;
      g_PlayNeck = n;
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

bool PlayPositionHeld() { return g_Page == kPlayPage && g_bKeyHeld && IsNeckRegion(g_Capture); }

int HoldPlayPosition(int x) {
  g_PlayNeck = g_DrawnNeck;
  g_PlayString = g_DrawnString;
  g_BarFret = g_DrawnFret;
  g_BarX = x - kNeckLeft;
  return g_Capture;
}

int BarBendOfOffset(int pixels) {
  return pixels * kBendPerPixelNum / kBendPerPixelDen + kBendCentre;
}

int BarBendAt(int bar_x) { return BarBendOfOffset(bar_x - g_FretCentreX); }

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
  const int r = Screen().HitTest(p.x, p.y);

  if (g_Page == kPlayPage && !IsNeckRegion(g_Capture) && r != g_HintRegion) {
    Screen().ShowHint(r);
    g_HintRegion = r;
  }
  if (g_Capture == MoveButton) {
    Screen().DragWindowStep();
    return;
  }
  if (!g_bAutoPlay && g_Platform.pointer) {
    const bool on_neck = g_Page == kPlayPage && IsNeckRegion(r);
    g_Platform.pointer->SetCursorShape(on_neck ? CursorShape::Cross : CursorShape::Arrow);
  }
  if (PlayPositionHeld()) {
    const int x = std::clamp(g_CursorClient.x, kNeckRect[0].left, kNeckRect[0].right);
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
  if (IsSpinRegion(g_Capture) && r != g_Capture) Screen().ReleaseSpin(g_Capture);
}

void ClipCursorToNeck(bool on, int n) {
  if (g_bAutoPlay || !g_Platform.pointer) return;
  PointerService& pointer = *g_Platform.pointer;
  if (on) {
    const Rect& r = kNeckRect[n];
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
