// slidora-cli check [--json] FILE: loads and compiles a song as a dropped file
// would be and prints its messages the way compilers do, or as JSON lines.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_song.h"
#include "song/song_state.h"

namespace {

constexpr double kMsPerSecond = 1000.0;

// Time units of the loaded score: its waits and its slides.
int ScoreUnits() {
  int units = 0;
  for (int i = 0; i < g_SongItemCount; ++i) {
    const SongItem& item = g_SongItem[i];
    if (item.Type == EventTime) units += item.Value;
    if (item.Type == EventSlide) {
      units += item.Value;
      ++i;  // the slide's second entry is its target fret
    }
  }
  return units;
}

int RunCheck(int argc, char** argv) {
  bool json = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0 && !json) {
      json = true;
    } else if (!path) {
      path = argv[i];
    } else {
      path = nullptr;
      break;
    }
  }
  if (!path) {
    std::fprintf(stderr, "usage: slidora-cli check [--json] FILE\n");
    return 2;
  }
  const SongCheck check = CheckSongFile(path);
  const bool fine = check.load == 0 && check.compile == 0;
  if (json) {
    PrintSongMessagesJson(stdout, check);
    return fine ? 0 : 1;
  }
  PrintSongMessages(stdout, path, check);
  if (fine) {
    const int units = ScoreUnits();
    const SongEvent& end = g_SongEvent[g_SongEventCount - 1];
    std::printf("%s: the song is fine: %d bars and %d units, %.3f seconds, %d events\n", path,
                units / kUnitsPerBar, units % kUnitsPerBar, end.TimeMs / kMsPerSecond,
                static_cast<int>(g_SongEventCount));
  }
  return fine ? 0 : 1;
}

const CliRegistration kCheck("check", "[--json] FILE  load and compile a song, print its messages",
                             RunCheck);

}  // namespace
