// slidora-cli events FILE: the event table of a song, one "TimeMs Type Value"
// a line, end event included.
#include <cstdio>

#include "app/cli_commands.h"
#include "app/cli_song.h"
#include "song/song_state.h"

namespace {

int RunEvents(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: slidora-cli events FILE\n");
    return 2;
  }
  const SongCheck check = CheckSongFile(argv[1]);
  if (check.load != 0 || check.compile != 0) {
    PrintSongMessages(stderr, argv[1], check);
    return 1;
  }
  PrintSongMessages(stderr, argv[1], check);  // bar-label warnings, if any
  for (int i = 0; i < g_SongEventCount; ++i) {
    const SongEvent& e = g_SongEvent[i];
    std::printf("%d %d %d\n", e.TimeMs, e.Type, e.Value);
  }
  return 0;
}

const CliRegistration kEvents("events", "FILE  print the timed events of a song", RunEvents);

}  // namespace
