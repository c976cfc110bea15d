#include "app/reset.h"

#include "model/instrument.h"

void ResetAllState() {
  ResetInstrumentState();
}
