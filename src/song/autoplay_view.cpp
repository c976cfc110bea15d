// Auto-play's calls into the window. The view fills in what it can draw; a
// run without a window keeps only the drop acceptance.
#include "song/autoplay_view.h"

namespace {
bool g_bDropAccepted = true;
}  // namespace

void RedrawHintLine() {}
void RepaintWholeView() {}
void InvalidateUpperNeckArea() {}
void ShowHintUnderPointer() {}
void SetDropAcceptance(bool on) { g_bDropAccepted = on; }
bool IsDropAccepted() { return g_bDropAccepted; }
void ActivateMainFrame() {}
