#include "app/reset.h"

#include "midi/timers.h"
#include "model/instrument.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetTimerState();
}
