// Slidora Quenlo: the pedal-steel-guitar simulator. Takes no command-line options.
#include <cstdio>

#include "model/instrument.h"
#include "model/settings.h"
#include "model/tunings.h"

int main() {
  BuildSettingsPath();
  LoadSettings();
  BuildPedalNoteNames();
  BuildStringNotes();
  for (int n = 0; n < kNeckCount; ++n) {
    const TuningInfo& t = g_Tuning[g_Neck[n].Tuning];
    std::printf("%s neck: %-5s", n == 0 ? "Upper" : "Lower", t.Name.c_str());
    for (int s = 0; s < kStringCount; ++s) std::printf(" %3d", t.Note[0][s]);
    std::printf("\n");
  }
  return 0;
}
