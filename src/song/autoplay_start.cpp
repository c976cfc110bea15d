// Starting songs from files and replaying the song compiled last.
#include "song/autoplay_start.h"

#include "midi/channels.h"
#include "model/instrument.h"
#include "song/autoplay.h"
#include "song/autoplay_view.h"
#include "song/song_compiler.h"
#include "song/song_load.h"
#include "song/song_types.h"

namespace {
constexpr int kPlayingPage = 0;
}  // namespace

int StartSongFromFile(const std::string& path) {
  SetDropAcceptance(false);
  int result = LoadSongFile(path);
  if (result == 0) result = CompileSong();
  if (result != 0) {
    SetDropAcceptance(true);
    g_bSongReady = 0;
    // The hint line may still offer the song read before; it shows at once
    // that none is ready.
    ShowHintUnderPointer();
    return result;
  }
  StartAutoPlay();
  return 0;
}

void OnDropFiles(const std::vector<std::string>& paths) {
  if (g_Page != kPlayingPage || g_bAutoPlay != 0 || paths.empty()) return;
  ActivateMainFrame();
  // A dropped path is at most as long as a song path can be.
  StartSongFromFile(paths.front().substr(0, kSongPathChars));
}

void OnPlayButtonRightClick() {
  // Reading a file while a song plays would change the table the tick reads.
  if (g_Page != kPlayingPage || g_bAutoPlay != 0) return;
  StartSongFromFile("");
}

void OnPlayButtonLeftClick() {
  if (g_Page != kPlayingPage) return;
  AllNotesOff();
  if (g_bSongReady == 1 && g_bAutoPlay == 0) StartAutoPlay();
}
