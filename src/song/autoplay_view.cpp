#include "song/autoplay_view.h"

#include "perform/play_state.h"
#include "perform/screen_sink.h"
#include "platform/platform.h"
#include "platform/pointer.h"

namespace {
bool g_bDropAccepted = true;
}  // namespace

void RedrawHintLine() { Screen().ShowHint(g_HintRegion); }

void ShowHintUnderPointer() {
  Screen().ShowHint(-1);
  // Mouse moves were dropped during the song: ask where the pointer is now.
  if (g_Platform.pointer != nullptr) {
    g_CursorScreen = g_Platform.pointer->GetCursorPos();
    g_CursorClient = g_Platform.pointer->ScreenToClient(g_CursorScreen);
  }
  const int region = Screen().HitTest(g_CursorClient.x, g_CursorClient.y);
  Screen().ShowHint(region);
  g_HintRegion = region;
}

void SetDropAcceptance(bool on) {
  g_bDropAccepted = on;
  Screen().AcceptDrops(on);
}
bool IsDropAccepted() { return g_bDropAccepted; }

void ActivateMainFrame() {}
