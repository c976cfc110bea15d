// Starting songs from files and replaying the song compiled last.
#include "song/autoplay_start.h"

#include "midi/channels.h"
#include "model/instrument.h"
#include "song/autoplay.h"
#include "song/autoplay_view.h"
#include "song/song_compiler.h"
#include "song/song_load.h"
#include "song/song_types.h"

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
  if (g_Page != kPlayPage || g_bAutoPlay != 0 || paths.empty()) return;
  ActivateMainFrame();
  // Passed whole: the reader refuses a path too long for it, where a cut one
  // could name another file.
  StartSongFromFile(paths.front());
}

void OnPlayButtonRightClick() {
  // Reading a file while a song plays would change the table the tick reads.
  if (g_Page != kPlayPage || g_bAutoPlay != 0) return;
  StartSongFromFile("");
}

void OnPlayButtonLeftClick() {
  if (g_Page != kPlayPage) return;
  AllNotesOff();
  if (g_bSongReady == 1 && g_bAutoPlay == 0) StartAutoPlay();
}
