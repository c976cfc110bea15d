#include "app/instrument_startup.h"

#include "midi/channels.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/play_state.h"

void LoadAndBuildInstrument() {
  LoadSettings();
  ResetPlayPosition();
  g_bMouseMovePending = 0;
  BuildPedalNoteNames();
  BuildStringNotes();
  BuildGuide(0);
  BuildGuide(1);
  for (NeckInfo& neck : g_Neck) {
    for (int i = 0; i < kStringCount; ++i) neck.BendTarget[i] = neck.BendNow[i] = 0;
  }
  AllocateChannels(0);
  AllocateChannels(1);
}
