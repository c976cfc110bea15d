// Standard MIDI File writer: header chunk, one track of delta-timed events.
#include "app/midi_file.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int64_t kMicrosPerMinute = 60000000;
constexpr int kSystemStatus = 0xF0;  // real-time and system messages start here
constexpr int kMetaEvent = 0xFF;
constexpr int kMetaTempo = 0x51;
constexpr int kMetaEndOfTrack = 0x2F;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

// Variable-length quantity: seven bits a byte, high bit set on all but the last.
void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t bytes[5];
  int n = 0;
  do {
    bytes[n++] = static_cast<uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0);
  while (n > 1) out.push_back(static_cast<uint8_t>(bytes[--n] | 0x80));
  out.push_back(bytes[0]);
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

  std::vector<uint8_t> track;
  // At most four bytes of time and three of message each, mostly fewer.
  track.reserve(messages.size() * 5 + 16);
  PutVarLen(track, 0);
  track.push_back(kMetaEvent);
  track.push_back(kMetaTempo);
  track.push_back(3);
  track.push_back(static_cast<uint8_t>(microsPerQuarter >> 16));
  track.push_back(static_cast<uint8_t>(microsPerQuarter >> 8));
  track.push_back(static_cast<uint8_t>(microsPerQuarter));

  // Ticks are rounded from the exact time each time, so rounding never adds up.
  const double ticksPerMs = ticksPerQuarter * 1000.0 / microsPerQuarter;
  int64_t lastTick = 0;
  for (const TimedShortMsg& m : messages) {
    const int status = static_cast<int>(m.packed & 0xFF);
    if (status < 0x80 || status >= kSystemStatus) continue;
    int64_t tick = std::llround(m.time_ms * ticksPerMs);
    if (tick < lastTick) tick = lastTick;
    PutVarLen(track, static_cast<uint32_t>(tick - lastTick));
    lastTick = tick;
    track.push_back(static_cast<uint8_t>(status));
    track.push_back(static_cast<uint8_t>((m.packed >> 8) & 0x7F));
    if (DataBytes(status) == 2) track.push_back(static_cast<uint8_t>((m.packed >> 16) & 0x7F));
  }
  PutVarLen(track, 0);
  track.push_back(kMetaEvent);
  track.push_back(kMetaEndOfTrack);
  track.push_back(0);

  std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
  Put32(file, 6);
  Put16(file, 0);  // format 0: a single track
  Put16(file, 1);
  Put16(file, static_cast<uint32_t>(ticksPerQuarter));
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  Put32(file, static_cast<uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
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
