// The 22 numbered header lines of a song: tempo, start delay, voices, guide,
// shift, effects, tuning and velocities, each with its range and messages.
#include <string>

#include "song/song_load.h"
#include "song/song_messages.h"
#include "song/song_number.h"
#include "song/song_reader.h"
#include "song/song_state.h"

namespace {

constexpr int kHeaderLines = 22;
constexpr int kGuideOff = -8;           // "off" on line 11 switches the guide off
constexpr int kVolumeScale = 10;        // volumes are kept on the 0..10 scale ...
constexpr int kMidiValueMax = 127;      // ... of the written 0..127
constexpr size_t kTuningNameChars = 5;  // a tuning name is kept to this length
constexpr int kFreeStringsNeeded = 2;   // strings the pedals must leave alone

enum class Kind { kNumber, kVolume, kGuide, kTuningName, kNoteNames, kPedal1, kPedal2 };

using Field = int32_t& (*)(SongHeader&);

struct HeaderLine {
  const char* key;
  SongMessage missing;    // when the line's key is not this one
  Kind kind;
  int min;
  int max;
  SongMessage dataError;  // when the value is wrong
  Field field;
};

using M = SongMessage;

const HeaderLine kHeader[kHeaderLines] = {
    {"01=", M::kMissing01, Kind::kNumber, 30, 180, M::kRangeTempo,
     [](SongHeader& h) -> int32_t& { return h.Tempo; }},
    {"02=", M::kMissing02, Kind::kNumber, -500, 500, M::kRangeStartDelay,
     [](SongHeader& h) -> int32_t& { return h.MidiStartDelay; }},
    {"03=", M::kMissing03, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice0No; }},
    {"04=", M::kMissing04, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice0MSB; }},
    {"05=", M::kMissing05, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice0LSB; }},
    {"06=", M::kMissing06, Kind::kVolume, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Volume0; }},
    {"07=", M::kMissing07, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice1No; }},
    {"08=", M::kMissing08, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice1MSB; }},
    {"09=", M::kMissing09, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Voice1LSB; }},
    {"10=", M::kMissing10, Kind::kVolume, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Volume1; }},
    {"11=", M::kMissing11, Kind::kGuide, -7, 7, M::kRangeGuide,
     [](SongHeader& h) -> int32_t& { return h.GuideShift; }},
    {"12=", M::kMissing12, Kind::kNumber, -12, 12, M::kRangeMidiShift,
     [](SongHeader& h) -> int32_t& { return h.MidiShift; }},
    {"13=", M::kMissing13, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Reverb; }},
    {"14=", M::kMissing14, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Chorus; }},
    {"15=", M::kMissing15, Kind::kTuningName, 0, 0, M::kBadTuningName, nullptr},
    {"16=", M::kMissing16, Kind::kNoteNames, 0, 0, M::kBadHeaderLine, nullptr},
    {"17=", M::kMissing17, Kind::kPedal1, 0, 0, M::kBadHeaderLine, nullptr},
    {"18=", M::kMissing18, Kind::kPedal2, 0, 0, M::kBadHeaderLine, nullptr},
    {"19=", M::kMissing19, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Velocity[0]; }},
    {"20=", M::kMissing20, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Velocity[1]; }},
    {"21=", M::kMissing21, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Velocity[2]; }},
    {"22=", M::kMissing22, Kind::kNumber, 0, 127, M::kRange0To127,
     [](SongHeader& h) -> int32_t& { return h.Velocity[3]; }},
};

bool InRange(const std::string& text, int min, int max, int32_t* value) {
  return ReadSongNumber(text, value) && *value >= min && *value <= max;
}

// A note name: a letter A to G, optionally followed by "#" or "b".
bool IsNoteName(const std::string& v) {
  if (v.empty() || v.size() > 2 || v[0] < 'A' || v[0] > 'G') return false;
  return v.size() == 1 || v[1] == '#' || v[1] == 'b';
}

bool ReadNoteNames(const SongReader& r) {
  for (int s = 0; s < kSongStrings; ++s) {
    if (!IsNoteName(r.m_Value[s])) return false;
    g_SongHeader.NoteName[s] = r.m_Value[s];  // kept at once, even if a later one fails
  }
  return r.m_Rest.empty();
}

bool ReadPedalRow(const SongReader& r, int32_t* row) {
  for (int s = 0; s < kSongStrings; ++s) {
    const std::string& v = r.m_Value[s];
    if (v == "b") {
      row[s] = -1;
    } else if (v == "0") {
      row[s] = 0;
    } else if (v == "#") {
      row[s] = 1;
    } else {
      return false;
    }
  }
  return r.m_Rest.empty();
}

// Tests and stores the value of one header line; false on a data error.
bool ReadHeaderValue(const HeaderLine& line, const SongReader& r) {
  const std::string& v = r.m_Value[0];
  int32_t n = 0;
  switch (line.kind) {
    case Kind::kNumber:
      if (!InRange(v, line.min, line.max, &n)) return false;
      line.field(g_SongHeader) = n;
      return true;
    case Kind::kVolume:
      if (!InRange(v, line.min, line.max, &n)) return false;
      line.field(g_SongHeader) = n * kVolumeScale / kMidiValueMax;
      return true;
    case Kind::kGuide:
      // The word is compared whole and in lower case; "OFF" is no word here.
      if (v == "off") {
        n = kGuideOff;
      } else if (!InRange(v, line.min, line.max, &n)) {
        return false;
      }
      line.field(g_SongHeader) = n;
      return true;
    case Kind::kTuningName:
      if (v.empty() || v[0] < 'A' || v[0] > 'G') return false;
      g_SongHeader.TuningName = v.substr(0, kTuningNameChars);
      return true;
    case Kind::kNoteNames:
      return ReadNoteNames(r);
    case Kind::kPedal1:
      return ReadPedalRow(r, g_SongHeader.Pedal1);
    case Kind::kPedal2:
      return ReadPedalRow(r, g_SongHeader.Pedal2);
  }
  return false;
}

int CountPedalStrings() {
  int count = 0;
  for (int s = 0; s < kSongStrings; ++s) {
    if (g_SongHeader.Pedal1[s] != 0 || g_SongHeader.Pedal2[s] != 0) ++count;
  }
  return count;
}

}  // namespace

int ReadSongHeader(SongReader& r) {
  std::string pedal1Written;
  for (int i = 0; i < kHeaderLines; ++i) {
    const HeaderLine& line = kHeader[i];
    // A text that ends early is missing its next line; the message then shows
    // the last line the reader had (none for an empty file).
    const char* raw = r.NextSongLine(i == 0 ? g_SongText : nullptr);
    if (!raw || r.NextSongCommand(1) != line.key) {
      ShowSongError(line.missing, r.m_LineNo, r.m_Written.c_str());
      return kSongLoadFailed;
    }
    if (!ReadHeaderValue(line, r)) {
      ShowSongError(line.dataError, r.m_LineNo, r.m_Written.c_str());
      return kSongLoadFailed;
    }
    if (line.kind == Kind::kPedal1) pedal1Written = r.m_Written;
    if (line.kind == Kind::kPedal2 && CountPedalStrings() > kSongStrings - kFreeStringsNeeded) {
      ShowSongError(SongMessage::kTooFewFreeStrings, r.m_LineNo, pedal1Written.c_str(),
                    r.m_Written.c_str());
      return kSongLoadFailed;
    }
  }
  return 0;
}
