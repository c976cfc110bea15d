#include "app/reset.h"

#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "song/song_state.h"
#include "ui/view.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetMidiState();
  ResetTimerState();
  ResetSongState();
  ResetViewState();
}
