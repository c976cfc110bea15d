#include "perform/bar_drawing.h"

#include "model/instrument.h"
#include "perform/play_state.h"
#include "perform/view_link.h"
#include "platform/picture.h"
#include "ui/layout.h"

ViewLink g_ViewLink;

namespace {

Picture& SaveStrip() {
  static Picture strip(kBarSaveWidth, kBarSaveHeight);
  return strip;
}

// Top of the neck's string 0 row: 111 for the upper neck, 411 for the lower.
int NeckTop(int n) { return g_Region[NeckRegion(n)].top; }
int BarLeft(int bar_x) { return kNeckLeft + bar_x - kBarHalfWidth; }

}  // namespace

const Picture& BarSaveStrip() { return SaveStrip(); }

void ResetBarDrawing() { SaveStrip() = Picture(kBarSaveWidth, kBarSaveHeight); }

void DrawBar(bool force) {
  if (!g_bAutoPlay && !force && g_PlayNeck == g_DrawnNeck && g_PlayString == g_DrawnString &&
      g_BarFret == g_DrawnFret && g_BarX == g_DrawnBarX) {
    return;
  }
  Picture* screen = g_ViewLink.screen;
  Picture& save = SaveStrip();

  if (!force && g_DrawnNeck != -1 && g_bBarShown && screen) {
    Blit(*screen, BarLeft(g_DrawnBarX), NeckTop(g_DrawnNeck) + kBarTopOffset, kBarWidth,
         kBarStripHeight, save, 0, 0);
  }
  if (g_PlayNeck == -1) {
    g_bBarShown = 0;
  } else {
    const int x = BarLeft(g_BarX);
    const int y0 = NeckTop(g_PlayNeck) + kBarTopOffset;
    if (screen) Blit(save, 0, 0, kBarWidth, kBarStripHeight, *screen, x, y0);
    g_bBarShown = 1;
    const int tip_y = y0 + kStringRowHeight * g_PlayString;
    if (screen && g_ViewLink.barBody) {
      Blit(*screen, x, tip_y + kBarTipHeight, kBarWidth,
           kBarBodyHeight - kStringRowHeight * g_PlayString, *g_ViewLink.barBody, 0, 0);
    }
    if (screen && g_ViewLink.barTipMask) {
      Blit(*screen, x, tip_y, kBarWidth, kBarTipHeight, *g_ViewLink.barTipMask, 0, 0,
           RasterOp::Or);
    }
    if (screen && g_ViewLink.barTip) {
      Blit(*screen, x, tip_y, kBarWidth, kBarTipHeight, *g_ViewLink.barTip, 0, 0, RasterOp::And);
    }
  }
  g_DrawnNeck = g_PlayNeck;
  g_DrawnString = g_PlayString;
  g_DrawnFret = g_BarFret;
  g_DrawnBarX = g_BarX;
}
