#include "app/midi_file_read.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr int kMetaEvent = 0xFF;
constexpr int kMetaTempo = 0x51;
constexpr int kSysEx = 0xF0;
constexpr int kSysExEscape = 0xF7;
constexpr uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 beats a minute

struct RawEvent {
  uint64_t tick;
  int track;
  uint32_t packed;  // 0 for a tempo change
  uint32_t tempo;   // microseconds a quarter, for a tempo change
};

class Reader {
 public:
  Reader(const uint8_t* p, size_t n) : m_P(p), m_End(p + n) {}
  bool Has(size_t n) const { return static_cast<size_t>(m_End - m_P) >= n; }
  bool AtEnd() const { return m_P >= m_End; }
  uint8_t Byte() { return *m_P++; }
  uint8_t Peek() const { return *m_P; }
  uint32_t Big(int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | *m_P++;
    return v;
  }
  // A variable-length quantity: at most four bytes.
  bool VarLen(uint32_t* v) {
    *v = 0;
    for (int i = 0; i < 4; ++i) {
      if (AtEnd()) return false;
      const uint8_t b = Byte();
      *v = *v << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return false;
    m_P += n;
    return true;
  }
  const uint8_t* here() const { return m_P; }

 private:
  const uint8_t* m_P;
  const uint8_t* m_End;
};

int DataBytes(int status) {
  const int kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

bool Fail(std::string* error, const char* why) {
  *error = why;
  return false;
}

bool ReadTrack(Reader& in, int track, std::vector<RawEvent>* events, std::string* error) {
  uint64_t tick = 0;
  int running = 0;
  while (!in.AtEnd()) {
    uint32_t delta;
    if (!in.VarLen(&delta)) return Fail(error, "the file ends inside a track");
    tick += delta;
    if (in.AtEnd()) return Fail(error, "the file ends inside a track");
    int status = in.Peek();
    if (status >= 0x80) {
      in.Byte();
    } else if (running != 0) {
      status = running;  // running status: the data byte is read below
    } else {
      return Fail(error, "a track has a data byte without a status");
    }
    if (status == kMetaEvent) {
      if (!in.Has(1)) return Fail(error, "the file ends inside a track");
      const int type = in.Byte();
      uint32_t length;
      if (!in.VarLen(&length) || !in.Has(length)) return Fail(error, "the file ends inside a track");
      if (type == kMetaTempo && length == 3) {
        Reader tempo(in.here(), 3);
        events->push_back({tick, track, 0, tempo.Big(3)});
      }
      in.Skip(length);
      running = 0;
      continue;
    }
    if (status == kSysEx || status == kSysExEscape) {
      uint32_t length;
      if (!in.VarLen(&length) || !in.Skip(length)) return Fail(error, "the file ends inside a track");
      running = 0;
      continue;
    }
    if (status > kSysEx) return Fail(error, "a track holds a system message");
    running = status;
    const int count = DataBytes(status);
    if (!in.Has(static_cast<size_t>(count))) return Fail(error, "the file ends inside a track");
    const int d1 = in.Byte();
    const int d2 = count == 2 ? in.Byte() : 0;
    if (d1 >= 0x80 || d2 >= 0x80) return Fail(error, "a data byte is above 127");
    events->push_back({tick, track, static_cast<uint32_t>(status | d1 << 8 | d2 << 16), 0});
  }
  return true;
}

}  // namespace

int ParseMidiFile(const std::vector<uint8_t>& bytes, std::vector<TimedShortMsg>* out, std::string* error) {
  out->clear();
  Reader in(bytes.data(), bytes.size());
  if (!in.Has(14) || std::memcmp(in.here(), "MThd", 4) != 0) {
    *error = "not a Standard MIDI File";
    return 1;
  }
  in.Skip(4);
  const uint32_t header = in.Big(4);
  if (header < 6 || !in.Has(header)) {
    *error = "not a Standard MIDI File";
    return 1;
  }
  const uint32_t format = in.Big(2);
  const uint32_t tracks = in.Big(2);
  const uint32_t division = in.Big(2);
  in.Skip(header - 6);
  if (format > 1) {
    *error = "format 2 (independent patterns) is not played";
    return 1;
  }
  if (division == 0 || (division & 0x8000 && (division & 0xFF) == 0)) {
    *error = "the file gives no time division";
    return 1;
  }

  std::vector<RawEvent> events;
  for (uint32_t t = 0; t < tracks && !in.AtEnd(); ++t) {
    if (!in.Has(8)) {
      *error = "the file ends inside a track";
      return 1;
    }
    const bool is_track = std::memcmp(in.here(), "MTrk", 4) == 0;
    in.Skip(4);
    const uint32_t length = in.Big(4);
    if (!in.Has(length)) {
      *error = "the file ends inside a track";
      return 1;
    }
    if (!is_track) {  // chunks of unknown kinds are passed over
      in.Skip(length);
      --t;
      continue;
    }
    Reader track(in.here(), length);
    in.Skip(length);
    if (!ReadTrack(track, static_cast<int>(t), &events, error)) return 1;
  }
  std::stable_sort(events.begin(), events.end(), [](const RawEvent& a, const RawEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
  });

  // Ticks to milliseconds: by the tempo in force, or by frames of SMPTE time.
  double ms_per_tick;
  const bool smpte = (division & 0x8000) != 0;
  if (smpte) {
    const int fps = -static_cast<int8_t>(division >> 8);
    const double frames = fps == 29 ? 29.97 : fps;
    ms_per_tick = 1000.0 / (frames * (division & 0xFF));
  } else {
    ms_per_tick = kDefaultMicrosPerQuarter / 1000.0 / division;
  }
  double at_ms = 0;
  uint64_t at_tick = 0;
  out->reserve(events.size());
  for (const RawEvent& e : events) {
    const double ms = at_ms + static_cast<double>(e.tick - at_tick) * ms_per_tick;
    if (e.packed == 0) {
      if (!smpte && e.tempo > 0) {
        at_ms = ms;
        at_tick = e.tick;
        ms_per_tick = e.tempo / 1000.0 / division;
      }
      continue;
    }
    out->push_back({ms, e.packed});
  }
  return 0;
}

int ReadMidiFile(const std::string& path, std::vector<TimedShortMsg>* out, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = std::strerror(errno);
    return 1;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxMidiFileBytes) {
    *error = size < 0 ? "cannot be read" : "larger than 64 MiB";
    return 1;
  }
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    *error = "cannot be read";
    return 1;
  }
  return ParseMidiFile(bytes, out, error);
}

bool IsMidiFileName(const std::string& path) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  auto ends = [&](const char* tail) {
    const size_t n = std::strlen(tail);
    return lower.size() > n && lower.compare(lower.size() - n, n, tail) == 0;
  };
  return ends(".mid") || ends(".midi");
}
