#include "ui/view_dispatch.h"

#include "model/instrument.h"
#include "perform/view_filter.h"
#include "ui/controls.h"

void ViewWindowProc(const Message& m) {
  if (!g_bAutoPlay && RouteToTuningNameBoxes(m)) return;
  if (!FilterViewMessage(m)) return;
  if (DispatchPlayMessage(m)) return;
  DispatchControlMessage(m);
}
