#include "ui/stand_ins.h"

#include "midi/timers.h"
#include "ui/layout.h"

int32_t g_bSongReady = 0;

void PanelStandIn(const Message& m) {
  if (m.msg != WM_LBUTTONDOWN) return;
  const int r = HitTest(PointX(m.lParam), PointY(m.lParam));
  if (r == CloseButton) PostToView(WM_CLOSE, 0, 0);
  if (r == MinimizeButton) PostToView(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
