#include "perform/screen_sink.h"

namespace {

// Without a view: nothing to draw on and no panel to find regions in.
class NoScreen : public ScreenSink {
 public:
  int HitTest(int, int) override { return -1; }
  void PaintBar(bool) override {}
  void InvalidateNeck(int) override {}
  void RepaintAll() override {}
  void ShowHint(int) override {}
  void Present() override {}
  void AcceptDrops(bool) override {}
  void DragWindowStep() override {}
  void ReleaseSpin(int) override {}
};

NoScreen g_NoScreen;
ScreenSink* g_pScreen = &g_NoScreen;

}  // namespace

ScreenSink& Screen() { return *g_pScreen; }

void SetScreen(ScreenSink* sink) { g_pScreen = sink ? sink : &g_NoScreen; }
