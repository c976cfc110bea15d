// slidora-cli play [--all] FILE: plays a song file headless, dropped on the
// playing page, to its end, and prints what the system sends from the drop on.
#include <cstdio>
#include <cstring>

#include "app/cli_commands.h"
#include "app/song_performance.h"
#include "app/song_report.h"

namespace {

int RunPlay(int argc, char** argv) {
  bool all = false;
  const char* path = nullptr;
  bool bad = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--all") == 0) {
      all = true;
    } else if (path == nullptr && argv[i][0] != '-') {
      path = argv[i];
    } else {
      bad = true;
    }
  }
  if (path == nullptr || bad) {
    std::fprintf(stderr, "usage: slidora-cli play [--all] FILE\n");
    return 2;
  }
  if (!SongLoadsOrReport(path)) return 1;
  // Printed as the song plays, so a long song neither waits nor fills memory.
  SongPerformance p;
  return PerformSong(path, true, &p, [&](const std::vector<HeadlessEvent>& batch) {
    for (const HeadlessEvent& e : batch) {
      if (e.during_startup && e.kind == HeadlessEvent::kMidi && !all) continue;
      std::printf("%s\n", FormatHeadlessEvent(e, p.dropMs).c_str());
    }
    std::fflush(stdout);
  });
}

const CliRegistration kPlay("play", "play a song file headless and print what is sent", RunPlay);

}  // namespace
