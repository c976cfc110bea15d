#include "app/reset.h"

#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/bar_drawing.h"
#include "perform/play_state.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetMidiState();
  ResetTimerState();
  ResetPlayState();
  ResetBarDrawing();
}
