// Loading a song headless for slidora-cli, with its messages recorded.
#include "app/cli_song.h"

#include "platform/message_box.h"
#include "platform/platform.h"
#include "song/song_compiler.h"
#include "song/song_load.h"
#include "song/song_reader.h"

namespace {

constexpr const char* kContinuationIndent = "    ";

class CheckSink : public MessageBoxSink {
 public:
  explicit CheckSink(std::vector<SongCheckBox>* boxes) : boxes_(boxes) {}
  void Show(const std::string& text, const std::string& caption, int type) override {
    boxes_->push_back({text, caption, type, g_SongReader.m_LineNo});
  }
  void Beep(int) override {}

 private:
  std::vector<SongCheckBox>* boxes_;
};

// Length of a valid UTF-8 sequence starting at s[i], 0 if none starts there.
size_t Utf8Length(const std::string& s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  size_t n = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points beyond U+10FFFF are not text.
  if (c == 0xE0 && byte(i + 1) < 0xA0) return 0;
  if (c == 0xED && byte(i + 1) >= 0xA0) return 0;
  if (c == 0xF0 && byte(i + 1) < 0x90) return 0;
  if (c == 0xF4 && byte(i + 1) >= 0x90) return 0;
  return n;
}

// JSON's two-character escapes, nullptr for other characters.
const char* ShortEscape(unsigned char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      return nullptr;
  }
}

// A JSON string; bytes that are not UTF-8 text are read as Latin-1.
std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    char escaped[8];
    if (const char* special = ShortEscape(c)) {
      out += special;
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (size_t n = Utf8Length(s, i)) {
      out.append(s, i, n);
      i += n - 1;
    } else {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    }
  }
  return out + "\"";
}

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
