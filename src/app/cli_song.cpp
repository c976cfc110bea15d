// Loading a song headless for slidora-cli, with its messages recorded.
#include "app/cli_song.h"

#include "app/json_string.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "song/song_compiler.h"
#include "song/song_load.h"
#include "song/song_reader.h"

namespace {

constexpr const char* kContinuationIndent = "    ";

class CheckSink : public MessageBoxSink {
 public:
  explicit CheckSink(std::vector<SongCheckBox>* boxes) : m_Boxes(boxes) {}
  void Show(const std::string& text, const std::string& caption, int type) override {
    m_Boxes->push_back({text, caption, type, g_SongReader.m_LineNo});
  }
  void Beep(int) override {}

 private:
  std::vector<SongCheckBox>* m_Boxes;
};

}  // namespace

SongCheck CheckSongFile(const std::string& path) {
  SongCheck check;
  CheckSink sink(&check.boxes);
  MessageBoxSink* previous = g_Platform.boxes;
  g_Platform.boxes = &sink;
  check.load = LoadSongFile(g_SongReader, path);
  if (check.load == 0) check.compile = CompileSong();
  g_Platform.boxes = previous;
  return check;
}

void PrintSongMessages(std::FILE* out, const std::string& path, const SongCheck& check) {
  for (const SongCheckBox& box : check.boxes) {
    const char* kind = box.type == MB_ICONEXCLAMATION ? "warning" : "error";
    std::fprintf(out, "%s:%d: %s: ", path.c_str(), box.lineNo, kind);
    size_t start = 0;
    for (bool first = true;; first = false) {
      const size_t end = box.text.find('\n', start);
      const std::string line = box.text.substr(start, end == std::string::npos ? end : end - start);
      std::fprintf(out, "%s%s\n", first ? "" : kContinuationIndent, line.c_str());
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
}

void PrintSongMessagesJson(std::FILE* out, const SongCheck& check) {
  for (const SongCheckBox& box : check.boxes) {
    std::fprintf(out, "{\"caption\": %s, \"text\": %s, \"type\": %d}\n",
                 JsonString(box.caption).c_str(), JsonString(box.text).c_str(), box.type);
  }
  if (check.compile < 0) {
    std::fprintf(out, "{\"load\": %d, \"compile\": null}\n", check.load);
  } else {
    std::fprintf(out, "{\"load\": %d, \"compile\": %d}\n", check.load, check.compile);
  }
}
