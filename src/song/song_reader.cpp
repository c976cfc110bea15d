// Line reader and command splitter of song files.
#include "song/song_reader.h"

#include "song/song_messages.h"
#include "song/song_state.h"

SongReader g_SongReader;

namespace {

constexpr size_t kLineChars = 1000;             // a line is cut to this many characters
constexpr size_t kWrittenChars = 80;            // a line longer than this is shown cut ...
constexpr const char* kCutMark = "..........";  // ... and followed by ten dots

// Characters that survive cleaning besides digits and letters; everything else
// (blanks, tabs, dots, plus signs, bytes above 127) is dropped.
bool IsKept(char c) {
  if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  switch (c) {
    case '#':
    case ':':
    case ',':
    case '-':
    case '=':
    case '(':
    case ')':
    case '*':
      return true;
    default:
      return false;
  }
}

}  // namespace

void SongReader::Reset() {
  m_LineNo = 0;
  m_Clean.clear();
  m_Rest.clear();
  m_Written.clear();
  for (std::string& v : m_Value) v.clear();
  m_Label.clear();
  m_Next = nullptr;
  m_Line.clear();
  m_Key.clear();
}

const char* SongReader::NextSongLine(const char* text) {
  if (text) m_Next = text;
  if (!m_Next) return nullptr;
  for (;;) {
    // Runs of line feeds separate lines, so an empty line is no line at all.
    while (*m_Next == '\n') ++m_Next;
    if (*m_Next == '\0') {
      m_Next = nullptr;
      return nullptr;
    }
    const char* start = m_Next;
    while (*m_Next != '\0' && *m_Next != '\n') ++m_Next;
    ++m_LineNo;
    size_t length = static_cast<size_t>(m_Next - start);
    if (length > kLineChars) length = kLineChars;
    if (length > 0 && start[length - 1] == '\r') --length;
    if (length == 0) continue;
    m_Line.assign(start, length);

    m_Clean.clear();
    for (char c : m_Line) {
      if (c == '/') break;  // the rest of the line is a comment
      if (IsKept(c)) m_Clean.push_back(c);
    }
    if (m_Clean.empty()) continue;

    if (m_Line.size() > kWrittenChars) {
      m_Written.assign(m_Line, 0, kWrittenChars);
      m_Written += kCutMark;
    } else {
      m_Written = m_Line;
    }

    const size_t open = m_Clean.find('(');
    const size_t close = m_Clean.find(')');
    if (open != std::string::npos && close != std::string::npos && open < close) {
      if (g_TimeSinceLabel % kUnitsPerBeat != 0) {
        ShowSongWarning(SongMessage::kBarFraction, m_Label.c_str(), static_cast<int>(g_TimeSinceLabel));
      }
      m_Label.assign(m_Clean, open, close - open + 1);
      g_TimeSinceLabel = 0;
    }
    return m_Line.c_str();
  }
}

const std::string& SongReader::NextSongCommand(int first) {
  m_Key.clear();
  for (std::string& v : m_Value) v.clear();
  if (first == 1) m_Rest = m_Clean;
  const size_t equals = m_Rest.find('=');
  if (equals == std::string::npos) return m_Key;
  m_Key.assign(m_Rest, 0, equals + 1);
  m_Rest.erase(0, equals + 1);
  for (std::string& slot : m_Value) {
    const size_t comma = m_Rest.find(',');
    const size_t eq = m_Rest.find('=');
    if (comma == std::string::npos && eq == std::string::npos) {
      slot = m_Rest;
      m_Rest.clear();
      break;
    }
    // The next command begins here: its key is left for the next call.
    if (eq != std::string::npos && (comma == std::string::npos || eq < comma)) break;
    slot.assign(m_Rest, 0, comma);
    m_Rest.erase(0, comma + 1);
  }
  return m_Key;
}
