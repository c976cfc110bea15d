// Auto-play's calls into the window, through the view when there is one.
#include "song/autoplay_view.h"

#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/window.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

// A pedal change repaints the neck with its note column (30 pixels to the
// left) and guide marks (12 to the right).
constexpr int kPedalAreaLeft = 30;
constexpr int kPedalAreaRight = 12;

bool g_bDropAccepted = true;

void ShowHint(int region) {
  if (g_pView == nullptr) return;
  g_pView->DrawHint(g_pView->canvas(), region);
  g_pView->Present();
}

}  // namespace

void RedrawHintLine() { ShowHint(g_HintRegion); }

void InvalidateUpperNeckArea() {
  const Rect& neck = g_Region[UpperNeck];
  InvalidateArea({neck.left - kPedalAreaLeft, neck.top, neck.right + kPedalAreaRight, neck.bottom});
}

void ShowHintUnderPointer() {
  ShowHint(-1);
  // Mouse moves were dropped during the song: ask where the pointer is now.
  if (g_Platform.pointer != nullptr) {
    g_CursorScreen = g_Platform.pointer->GetCursorPos();
    g_CursorClient = g_Platform.pointer->ScreenToClient(g_CursorScreen);
  }
  const int region = HitTest(g_CursorClient.x, g_CursorClient.y);
  ShowHint(region);
  g_HintRegion = region;
}

void SetDropAcceptance(bool on) {
  g_bDropAccepted = on;
  DragAcceptFiles(on);
}
bool IsDropAccepted() { return g_bDropAccepted; }

void ActivateMainFrame() {}
