// Song failures and the argument form of the song commands.
#include "app/song_report.h"

#include <cstdio>
#include <cstring>

#include "app/cli_song.h"

bool SongLoadsOrReport(const char* path) {
  const SongCheck check = CheckSongFile(path);
  if (check.load == 0 && check.compile == 0) return true;
  PrintSongMessages(stdout, path, check);
  std::fflush(stdout);
  return false;
}

bool ParseFileAndOutput(int argc, char** argv, const char* extraName, const char** file,
                        const char** out, const char** extraValue) {
  *file = nullptr;
  *out = nullptr;
  if (extraValue) *extraValue = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && *out == nullptr) {
      *out = argv[++i];
    } else if (extraName && std::strcmp(argv[i], extraName) == 0 && i + 1 < argc && extraValue &&
               *extraValue == nullptr) {
      *extraValue = argv[++i];
    } else if (*file == nullptr && argv[i][0] != '-') {
      *file = argv[i];
    } else {
      return false;
    }
  }
  return *file != nullptr && *out != nullptr;
}
