// slidora-cli screenshot PAGE FILE [X Y]: paints a page of the panel exactly as
// the program would, from the settings and pictures of the working directory,
// without a window, and writes it as a BMP file (pointer at client X, Y).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/cli_commands.h"
#include "midi/midi_port.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "platform/pictures.h"
#include "platform/platform.h"
#include "platform/recording_midi.h"
#include "ui/view.h"

namespace {

int RunScreenshot(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: slidora-cli screenshot PAGE FILE [X Y]\n");
    return 2;
  }
  const int page = std::atoi(argv[1]);
  if (page < kPlayPage || page > kVoicePage) {
    std::fprintf(stderr, "screenshot: PAGE is 0 to 3\n");
    return 2;
  }
  BuildSettingsPath();
  LoadSettings();
  BuildPedalNoteNames();
  BuildStringNotes();
  BuildGuide(0);
  BuildGuide(1);
  // The device list as a machine without system MIDI ports shows it.
  RecordingMidiOut port;
  g_Platform.midi = &port;
  EnumerateAndOpen();
  CSLDView view;
  view.OnCreate();
  if (argc == 5) g_CursorClient = {std::atoi(argv[3]), std::atoi(argv[4])};
  g_Page = page;
  if (page == kTuningPage) {
    for (int t = 0; t < kTuningCount; ++t) {
      view.m_TuningNameEdit[t].SetWindowText(g_Tuning[t].Name);
      view.m_TuningNameEdit[t].Show(true);
    }
  }
  view.OnDraw(view.canvas());
  if (!WriteBmp(argv[2], view.canvas().picture())) {
    std::fprintf(stderr, "screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  g_Platform.midi = nullptr;
  return 0;
}

const CliRegistration kRegistration("screenshot", "paint a page of the panel into a BMP file",
                                    RunScreenshot);

}  // namespace
