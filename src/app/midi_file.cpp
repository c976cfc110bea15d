// Standard MIDI File writer: header chunk, one track of delta-timed events.
#include "app/midi_file.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr int64_t kMicrosPerMinute = 60000000;
constexpr int kSystemStatus = 0xF0;  // real-time and system messages start here
constexpr uint8_t kMetaEvent = 0xFF;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaEndOfTrack = 0x2F;

// Bytes are written through a pointer into room made beforehand: a take of an
// hour holds millions of messages.
uint8_t* Put16(uint8_t* p, uint32_t v) {
  *p++ = static_cast<uint8_t>(v >> 8);
  *p++ = static_cast<uint8_t>(v);
  return p;
}

uint8_t* Put32(uint8_t* p, uint32_t v) { return Put16(Put16(p, v >> 16), v & 0xFFFF); }

// Variable-length quantity: seven bits a byte, high bit set on all but the last.
uint8_t* PutVarLen(uint8_t* p, uint32_t v) {
  if (v < 0x80) {  // most deltas: one byte
    *p++ = static_cast<uint8_t>(v);
    return p;
  }
  uint8_t bytes[5];
  int n = 0;
  do {
    bytes[n++] = static_cast<uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0);
  while (n > 1) *p++ = static_cast<uint8_t>(bytes[--n] | 0x80);
  *p++ = bytes[0];
  return p;
}

uint8_t* PutBytes(uint8_t* p, std::initializer_list<uint8_t> bytes) {
  for (uint8_t b : bytes) *p++ = b;
  return p;
}

// The nearest whole tick, halves away from zero, as llround gives it but
// without a library call for each of a take's millions of messages.
int64_t RoundTick(double ticks) {
  if (ticks < 0 || ticks >= 9.0e18) return std::llround(ticks);
  const int64_t whole = static_cast<int64_t>(ticks);
  return ticks - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

// Data bytes that follow a channel status: program change and channel
// pressure carry one, every other channel message two.
int DataBytes(int status) {
  const int kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

}  // namespace

std::vector<uint8_t> BuildMidiFile(const std::vector<TimedShortMsg>& messages, int tempoBpm,
                                   int ticksPerQuarter) {
  if (tempoBpm <= 0) tempoBpm = 120;
  const uint32_t microsPerQuarter = static_cast<uint32_t>(kMicrosPerMinute / tempoBpm);

  // Header, track header, tempo and end take 41 bytes; a message at most
  // five bytes of time and three of its own.
  std::vector<uint8_t> file(messages.size() * 8 + 64);
  uint8_t* p = PutBytes(file.data(), {'M', 'T', 'h', 'd'});
  p = Put32(p, 6);
  p = Put16(p, 0);  // format 0: a single track
  p = Put16(p, 1);
  p = Put16(p, static_cast<uint32_t>(ticksPerQuarter));
  p = PutBytes(p, {'M', 'T', 'r', 'k', 0, 0, 0, 0});  // the length follows when known
  uint8_t* const track = p;
  p = PutVarLen(p, 0);
  p = PutBytes(p, {kMetaEvent, kMetaTempo, 3, static_cast<uint8_t>(microsPerQuarter >> 16),
                   static_cast<uint8_t>(microsPerQuarter >> 8), static_cast<uint8_t>(microsPerQuarter)});

  // Ticks are rounded from the exact time each time, so rounding never adds up.
  const double ticksPerMs = ticksPerQuarter * 1000.0 / microsPerQuarter;
  int64_t lastTick = 0;
  for (const TimedShortMsg& m : messages) {
    const int status = static_cast<int>(m.packed & 0xFF);
    if (status < 0x80 || status >= kSystemStatus) continue;
    int64_t tick = RoundTick(m.time_ms * ticksPerMs);
    if (tick < lastTick) tick = lastTick;
    p = PutVarLen(p, static_cast<uint32_t>(tick - lastTick));
    lastTick = tick;
    *p++ = static_cast<uint8_t>(status);
    *p++ = static_cast<uint8_t>((m.packed >> 8) & 0x7F);
    if (DataBytes(status) == 2) *p++ = static_cast<uint8_t>((m.packed >> 16) & 0x7F);
  }
  p = PutVarLen(p, 0);
  p = PutBytes(p, {kMetaEvent, kMetaEndOfTrack, 0});
  Put32(track - 4, static_cast<uint32_t>(p - track));
  file.resize(static_cast<size_t>(p - file.data()));
  return file;
}

int WriteMidiFile(const std::string& path, const std::vector<TimedShortMsg>& messages,
                  int tempoBpm) {
  const std::vector<uint8_t> bytes = BuildMidiFile(messages, tempoBpm);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 1;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0 && ok) ? 0 : 1;
}
