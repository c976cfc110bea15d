#include "perform/bar_drawing.h"

#include "model/instrument.h"
#include "perform/play_state.h"
#include "perform/screen_sink.h"

void DrawBar(bool force) {
  if (!g_bAutoPlay && !force && g_PlayNeck == g_DrawnNeck && g_PlayString == g_DrawnString &&
      g_BarFret == g_DrawnFret && g_BarX == g_DrawnBarX) {
    return;
  }
  Screen().PaintBar(force);
  // A repaint presents the window itself when it is done.
  if (!force) Screen().Present();
  g_bBarShown = g_PlayNeck == -1 ? 0 : 1;
  g_DrawnNeck = g_PlayNeck;
  g_DrawnString = g_PlayString;
  g_DrawnFret = g_BarFret;
  g_DrawnBarX = g_BarX;
}
