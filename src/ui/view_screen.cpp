#include "ui/view_screen.h"

#include "model/instrument.h"
#include "perform/play_state.h"
#include "perform/screen_sink.h"
#include "platform/canvas.h"
#include "platform/window.h"
#include "ui/controls.h"
#include "ui/controls_view.h"
#include "ui/hit_test.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

int NeckTop(int n) { return kNeckRect[n].top; }
int BarLeft(int bar_x) { return kNeckLeft + bar_x - kBarHalfWidth; }

// The save-under strip: the old strip is put back, the new one saved, then
// body and tip are copied on.
void PaintBarOn(CSLDView& view, bool force) {
  Canvas& screen = view.canvas();
  Picture& save = view.barSave();
  if (!force && g_DrawnNeck != -1 && g_bBarShown) {
    screen.Blit(BarLeft(g_DrawnBarX), NeckTop(g_DrawnNeck) + kBarTopOffset, kBarWidth,
                kBarStripHeight, save);
  }
  if (g_PlayNeck == -1) return;
  const int x = BarLeft(g_BarX);
  const int y0 = NeckTop(g_PlayNeck) + kBarTopOffset;
  screen.Save(save, x, y0, kBarWidth, kBarStripHeight);
  const int tip_y = y0 + kStringRowHeight * g_PlayString;
  screen.Blit(x, tip_y + kBarTipHeight, kBarWidth, kBarBodyHeight - kStringRowHeight * g_PlayString,
              view.barBody());
  screen.Blit(x, tip_y, kBarWidth, kBarTipHeight, view.barTipMask(), 0, 0, RasterOp::Or);
  screen.Blit(x, tip_y, kBarWidth, kBarTipHeight, view.barTip(), 0, 0, RasterOp::And);
}

class ViewScreen : public ScreenSink {
 public:
  int HitTest(int x, int y) override { return ::HitTest(x, y); }
  void PaintBar(bool force) override {
    if (g_pView) PaintBarOn(*g_pView, force);
  }
  void InvalidateNeck(int n) override {
    const Rect& neck = kNeckRect[n];
    InvalidateArea({neck.left - kNoteColumnMargin, neck.top, neck.right + kGuideMargin, neck.bottom});
  }
  void RepaintAll() override { RepaintWholeView(); }
  void ShowHint(int region) override {
    if (!g_pView) return;
    g_pView->DrawHint(g_pView->canvas(), region);
    g_pView->Present();
  }
  void Present() override { PresentFields(); }
  void AcceptDrops(bool on) override { DragAcceptFiles(on); }
  void DragWindowStep() override { ::DragWindowStep(); }
  void ReleaseSpin(int) override { ReleaseSpinButton(); }
};

ViewScreen g_ViewScreen;

}  // namespace

void LinkViewToEngine() { SetScreen(&g_ViewScreen); }
