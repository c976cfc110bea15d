#include "ui/view_dispatch.h"

#include "model/instrument.h"
#include "perform/view_filter.h"
#include "song/autoplay.h"
#include "ui/controls.h"
#include "ui/controls_buttons.h"

void ViewWindowProc(const Message& m) {
  if (!g_bAutoPlay && RouteToTuningNameBoxes(m)) return;
  if (!FilterViewMessage(m)) return;
  if (DispatchPlayMessage(m)) return;
  if (DispatchButtonMessage(m)) return;
  if (m.msg == WM_SONG_STEP) {
    OnSongEvents(m.wParam, m.lParam);
    return;
  }
  DispatchControlMessage(m);
}
