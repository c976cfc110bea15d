#include "perform/bar_drawing.h"

#include "model/instrument.h"
#include "perform/play_state.h"
#include "perform/view_link.h"
#include "platform/canvas.h"
#include "ui/layout.h"
#include "ui/view.h"

ViewLink g_ViewLink;

namespace {

// Top of the neck's string 0 row: 111 for the upper neck, 411 for the lower.
int NeckTop(int n) { return g_Region[NeckRegion(n)].top; }
int BarLeft(int bar_x) { return kNeckLeft + bar_x - kBarHalfWidth; }

void Paint(CSLDView& view, bool force) {
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

}  // namespace

void DrawBar(bool force) {
  if (!g_bAutoPlay && !force && g_PlayNeck == g_DrawnNeck && g_PlayString == g_DrawnString &&
      g_BarFret == g_DrawnFret && g_BarX == g_DrawnBarX) {
    return;
  }
  if (g_pView) {
    Paint(*g_pView, force);
    // A repaint presents the window itself when it is done.
    if (!force) g_pView->Present();
  }
  g_bBarShown = g_PlayNeck == -1 ? 0 : 1;
  g_DrawnNeck = g_PlayNeck;
  g_DrawnString = g_PlayString;
  g_DrawnFret = g_BarFret;
  g_DrawnBarX = g_BarX;
}
