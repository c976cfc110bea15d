// The score of a song: commands that place the bar, press keys and pedals,
// slide, set velocity, expression and vibrato and let time pass, read into the
// flat entry list g_SongItem.
#include <cstring>
#include <string>

#include "song/song_load.h"
#include "song/song_messages.h"
#include "song/song_number.h"
#include "song/song_reader.h"
#include "song/song_state.h"

namespace {

constexpr int kMaxWait = kUnitsPerBar;  // the longest wait or slide, in time units
constexpr int kMaxFret = 19;
constexpr int kMaxMidiValue = 127;
constexpr int kUnusedKey = 6;  // number key 6 has no chord shape
constexpr int kMaxKey = 9;
constexpr int kKeyOff = -1;
constexpr char kSkipMark = '*';  // a line starting with it opens or closes a skipped region

// A valid command waiting to be appended once the parser moves on.
struct Pending {
  int32_t type;
  int32_t value;
};

// Commands with one number 0..127 and nothing else to check.
struct PlainCommand {
  const char* key;
  int32_t type;
};
constexpr PlainCommand kPlainCommands[] = {
    {"exp=", EventExpression}, {"depth1=", EventDepth1}, {"rate1=", EventRate1},
    {"delay1=", EventDelay1},  {"depth2=", EventDepth2}, {"rate2=", EventRate2},
    {"delay2=", EventDelay2},
};

class ScoreParser {
 public:
  explicit ScoreParser(SongReader& r) : m_Reader(r) {}
  int Run();

 private:
  int Parse(const std::string& key, Pending* out);
  int Append(const Pending& p);
  int AppendEntry(int32_t type, int32_t value);
  int Fail(int code, SongMessage message, const std::string& quoted);
  int DataError(const std::string& value) { return Fail(kSongLoadFailed, SongMessage::kScoreData, value); }

  SongReader& m_Reader;
  bool m_KeyDown = false;
  bool m_BarPlaced = false;
};

// Score messages quote the value or key, then give the line number, the last
// label and the line as written.
int ScoreParser::Fail(int code, SongMessage message, const std::string& quoted) {
  ShowSongError(message, quoted.c_str(), m_Reader.m_LineNo, m_Reader.m_Label.c_str(), m_Reader.m_Written.c_str());
  return code;
}

int ScoreParser::AppendEntry(int32_t type, int32_t value) {
  g_SongItem[g_SongItemCount++] = SongItem{type, value};
  // The last place is kept for the end entry.
  if (g_SongItemCount >= kSongItemCount) {
    ShowSongError(SongMessage::kTooManyData);
    return kScoreTooMany;
  }
  return 0;
}

int ScoreParser::Append(const Pending& p) {
  if (int rc = AppendEntry(p.type, p.value)) return rc;
  if (p.type != EventSlide) return 0;
  // A slide's target fret is its second value, read only now.
  int32_t fret = 0;
  const std::string& v = m_Reader.m_Value[1];
  if (!ReadSongNumber(v, &fret) || fret < 0 || fret > kMaxFret) return DataError(v);
  return AppendEntry(EventSlide, fret);
}

int ScoreParser::Parse(const std::string& key, Pending* out) {
  const std::string& v = m_Reader.m_Value[0];
  int32_t n = 0;
  auto number = [&](int min, int max) { return ReadSongNumber(v, &n) && n >= min && n <= max; };

  if (key == "t=") {
    if (!number(1, kMaxWait)) return DataError(v);
    g_TimeSinceLabel += n;
    *out = {EventTime, n};
    return 0;
  }
  if (key == "b=") {
    int32_t fret = 0;
    if (!number(1, kSongStrings)) return DataError(v);
    const std::string& f = m_Reader.m_Value[1];
    if (!ReadSongNumber(f, &fret) || fret < 0 || fret > kMaxFret) return DataError(f);
    m_BarPlaced = true;
    *out = {EventBar, (n - 1) * kBarStringStride + fret};
    return 0;
  }
  if (key == "v=") {
    // "V1".."V4" name the header's velocities and are compared whole.
    for (int i = 0; i < kSongVelocities; ++i) {
      const char name[3] = {'V', static_cast<char>('1' + i), '\0'};
      if (v == name) {
        *out = {EventVelocity, g_SongHeader.Velocity[i]};
        return 0;
      }
    }
    if (!number(0, kMaxMidiValue)) return DataError(v);
    *out = {EventVelocity, n};
    return 0;
  }
  if (key == "k=") {
    if (!m_BarPlaced) return Fail(kScoreBeforeBar, SongMessage::kScoreBeforeBar, key);
    if (v == "off") {
      m_KeyDown = false;
      *out = {EventKey, kKeyOff};
      return 0;
    }
    if (!number(0, kMaxKey) || n == kUnusedKey) return DataError(v);
    m_KeyDown = true;
    *out = {EventKey, n};
    return 0;
  }
  for (const PlainCommand& c : kPlainCommands) {
    if (key != c.key) continue;
    if (!number(0, kMaxMidiValue)) return DataError(v);
    *out = {c.type, n};
    return 0;
  }
  if (key == "p1=" || key == "p2=") {
    const int32_t type = key == "p1=" ? EventPedal1 : EventPedal2;
    if (v == "on") {
      *out = {type, 1};
    } else if (v == "off") {
      *out = {type, 0};
    } else {
      return DataError(v);
    }
    return 0;
  }
  if (key == "s=") {
    if (!m_KeyDown) return Fail(kScoreWrongState, SongMessage::kScoreWhileKeyOff, key);
    if (!m_BarPlaced) return Fail(kScoreBeforeBar, SongMessage::kScoreBeforeBar, key);
    if (!number(1, kMaxWait)) return DataError(v);
    g_TimeSinceLabel += n;
    *out = {EventSlide, n};
    return 0;
  }
  return Fail(kScoreUnknownCommand, SongMessage::kScoreUnknownCommand, key);
}

int ScoreParser::Run() {
  g_TimeSinceLabel = 0;
  bool skipping = false;
  int result = 0;
  while (result == 0) {
    const char* raw = m_Reader.NextSongLine(nullptr);
    if (!raw) break;
    if (raw[0] == kSkipMark) skipping = !skipping;
    if (skipping) continue;
    Pending pending{};
    for (int first = 1;; first = 0) {
      // Each command is appended when the next one is split, so a slide can
      // still read its second value from the splitter.
      if (!first && (result = Append(pending)) != 0) break;
      const std::string& key = m_Reader.NextSongCommand(first);
      if (key.empty()) break;
      if ((result = Parse(key, &pending)) != 0) break;
    }
  }
  if (g_SongItemCount == 0) {
    ShowSongError(SongMessage::kNothing);
    return kScoreNothing;
  }
  if (result != 0) return result;
  g_SongItem[g_SongItemCount++] = SongItem{EventEnd, 0};
  return 0;
}

}  // namespace

int ReadSongScore(SongReader& reader) {
  ScoreParser parser(reader);
  return parser.Run();
}
