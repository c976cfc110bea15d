#include "app/reset.h"

#include "model/instrument.h"
#include "perform/bar_drawing.h"
#include "perform/play_state.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetPlayState();
  ResetBarDrawing();
}
