#include "app/reset.h"

#include "app/take_playback.h"
#include "app/takes.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/play_state.h"
#include "song/autoplay.h"
#include "song/song_state.h"
#include "ui/controls.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetMidiState();
  ResetTimerState();
  ResetSongState();
  ResetPlayState();
  ResetControlsState();
  ResetAutoPlayState();
  ResetTakeState();
  ResetTakePlaybackState();
}
