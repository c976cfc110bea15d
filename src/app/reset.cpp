#include "app/reset.h"

#include "model/instrument.h"
#include "song/song_state.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetSongState();
}
