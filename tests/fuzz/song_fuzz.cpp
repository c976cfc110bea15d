// Fuzz target: arbitrary bytes as a song file, through load and compile, with
// the event table checked afterwards. Built with clang, libFuzzer and the
// address and undefined-behaviour sanitizers.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"
#include "platform/platform.h"
#include "song/song_compiler.h"
#include "song/song_load.h"
#include "song/song_state.h"

namespace {

// Boxes are counted, not shown: the fuzzer would otherwise drown in them.
class CountingBoxes : public MessageBoxSink {
 public:
  void Show(const std::string& text, const std::string& caption, int) override {
    if (text.empty() || caption.empty()) __builtin_trap();
    ++shown;
  }
  void Beep(int) override {}
  long shown = 0;
};

CountingBoxes g_Boxes;
std::string g_FuzzPath;

void RemoveFuzzFile() { unlink(g_FuzzPath.c_str()); }

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_FuzzPath.empty()) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    g_FuzzPath = std::string(dir) + "/slidora-fuzz-" + std::to_string(getpid()) + ".txt";
    std::atexit(RemoveFuzzFile);
    g_Platform.boxes = &g_Boxes;
  }
  std::FILE* file = std::fopen(g_FuzzPath.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  const long before = g_Boxes.shown;
  const int load = LoadSongFile(g_FuzzPath);
  // Every failure is reported; a clean load ends its entries with the end entry.
  Check(load == 0 || g_Boxes.shown > before);
  if (load != 0) return 0;
  Check(g_SongItemCount >= 2 && g_SongItemCount <= kSongItemCount);
  Check(g_SongItem[g_SongItemCount - 1].Type == EventEnd);

  const long loaded = g_Boxes.shown;
  const int compile = CompileSong();
  Check(compile == 0 || (compile <= kCompileTooMany && g_Boxes.shown == loaded + 1));
  if (compile != 0) return 0;
  Check(g_SongEventCount >= 1 && g_SongEventCount <= kSongEventCount);
  Check(g_SongEvent[g_SongEventCount - 1].Type == EventEnd);
  for (int i = 1; i < g_SongEventCount; ++i) {
    Check(g_SongEvent[i].TimeMs >= g_SongEvent[i - 1].TimeMs);
    Check(g_SongEvent[i - 1].Type != EventEnd);
  }
  return 0;
}
