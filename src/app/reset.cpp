#include "app/reset.h"

#include "model/instrument.h"
#include "ui/view.h"

void ResetAllState() {
  ResetInstrumentState();
  ResetViewState();
}
