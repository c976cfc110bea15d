#include "ui/hit_test.h"

#include "model/instrument.h"
#include "perform/slide_bar.h"
#include "ui/layout.h"

namespace {

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

bool InsideHalfOpen(const Rect& r, int x, int y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}
bool InsideClosed(const Rect& r, int x, int y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

int HitPlayPage(int x, int y) {
  int r = -1;
  for (int i = UpperNeck; i <= LowerMidiShift; ++i) {
    if (InsideClosed(g_Region[i], x, y)) {
      r = i;
      break;
    }
  }
  if (IsNeckRegion(r)) return HitNeck(r == UpperNeck ? 0 : 1, x, y);
  ClearPlayPosition();
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

int HitSpinButtons(int x, int y) {
  for (int r = BankMsbUp; r <= VibDelayDown; ++r) {
    if (InsideHalfOpen(g_Region[r], x, y)) return r;
  }
  return -1;
}

}  // namespace

int HitTest(int x, int y) {
  g_PlayNeck = -1;
  if (PlayPositionHeld()) return HoldPlayPosition(x);
  for (int r = PlayButton; r <= CloseButton; ++r) {
    if (InsideHalfOpen(g_Region[r], x, y)) return r;
  }
  switch (g_Page) {
    case kPlayPage:
      return HitPlayPage(x, y);
    case kTuningPage:
      return HitTuningGrid(x, y);
    case kVoicePage:
      return HitSpinButtons(x, y);
    default:
      return -1;
  }
}
