#include "app/reset.h"

#include "midi/timers.h"
#include "model/instrument.h"
#include "ui/view.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetTimerState();
  ResetViewState();
}
