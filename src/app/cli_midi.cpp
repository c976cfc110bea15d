// slidora-cli midi FILE -o OUT.mid: the performance of a song as a Standard
// MIDI File, the channel set-up at time 0 included, MIDI Start and Stop left out.
#include <cstdio>

#include "app/cli_commands.h"
#include "app/midi_file.h"
#include "app/song_performance.h"
#include "app/song_report.h"

namespace {

int RunMidi(int argc, char** argv) {
  const char* file;
  const char* out;
  if (!ParseFileAndOutput(argc, argv, nullptr, &file, &out, nullptr)) {
    std::fprintf(stderr, "usage: slidora-cli midi FILE -o OUT.mid\n");
    return 2;
  }
  if (!SongLoadsOrReport(file)) return 1;
  SongPerformance p;
  if (PerformSong(file, false, &p) != 0) return 1;
  if (WriteMidiFile(out, PerformanceMessages(p), p.tempo) != 0) {
    std::fprintf(stderr, "midi: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

const CliRegistration kMidi("midi", "export the performance of a song as a MIDI file", RunMidi);

}  // namespace
