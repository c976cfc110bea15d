#include "app/reset.h"

#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetMidiState();
  ResetTimerState();
}
