#include "midi/take.h"

#include <bitset>

#include "midi/midi_codes.h"

namespace {

constexpr int kSystemStatus = 0xF0;

bool IsNoteOn(uint32_t packed) {
  return (packed & 0xF0) == kNoteOn && ((packed >> 16) & 0x7F) != 0;
}

bool IsNoteOff(uint32_t packed) {
  return (packed & 0xF0) == kNoteOff || ((packed & 0xF0) == kNoteOn && ((packed >> 16) & 0x7F) == 0);
}

// The first note-on among the messages since..end(), by its number and time.
bool FindFirstNote(const TakeBuffer& buffer, uint64_t since, uint64_t* number, int64_t* time_ms) {
  bool found = false;
  buffer.Visit(since, [&](uint64_t n, int64_t t, uint32_t packed) {
    if (!IsNoteOn(packed)) return true;
    *number = n;
    *time_ms = t;
    found = true;
    return false;
  });
  return found;
}

// Where a take may begin: after the last save, and within the last hour
// (the buffer keeps whole chunks, which can reach further back).
uint64_t TakeFloor(const TakeBuffer& buffer, uint64_t since) {
  const int64_t cutoff = buffer.newest_ms() - TakeBuffer::kKeepMs;
  uint64_t floor = since;
  buffer.Visit(since, [&](uint64_t n, int64_t t, uint32_t) {
    floor = n;
    return t < cutoff;
  });
  return floor;
}

}  // namespace

bool TakeHasNotes(const TakeBuffer& buffer, uint64_t since) {
  uint64_t number;
  int64_t time_ms;
  return FindFirstNote(buffer, TakeFloor(buffer, since), &number, &time_ms);
}

bool CollectTake(const TakeBuffer& buffer, uint64_t since, Take* take) {
  *take = Take{};
  take->end = buffer.end();
  since = TakeFloor(buffer, since);
  uint64_t note = 0;
  int64_t start_ms = 0;
  if (!FindFirstNote(buffer, since, &note, &start_ms)) return false;
  // The take begins with the first message of the note's millisecond (the
  // bend that places the note comes just before it), but never before since.
  uint64_t from = note;
  buffer.Visit(since, [&](uint64_t n, int64_t t, uint32_t) {
    if (t < start_ms) return true;
    from = n;
    return false;
  });

  std::vector<TimedShortMsg>& out = take->messages;
  out.reserve(buffer.end() - from + 1024);
  buffer.StateBefore(from).Emit([&](uint32_t packed) { out.push_back({0.0, packed}); });

  std::bitset<kMidiChannelCount * 128> sounding;
  int64_t last_ms = start_ms;
  buffer.Visit(from, [&](uint64_t, int64_t t, uint32_t packed) {
    if ((packed & 0xFF) >= kSystemStatus) return true;
    const size_t key = (packed & 0x0F) * 128 + ((packed >> 8) & 0x7F);
    if (IsNoteOn(packed)) {
      sounding.set(key);
      ++take->notes;
    } else if (IsNoteOff(packed)) {
      sounding.reset(key);
    }
    last_ms = t;
    out.push_back({static_cast<double>(t - start_ms), packed});
    return true;
  });
  // A note still held when the take was saved ends with it.
  for (size_t key = 0; key < sounding.size(); ++key) {
    if (!sounding.test(key)) continue;
    out.push_back({static_cast<double>(last_ms - start_ms),
                   PackShortMsg(kNoteOff + static_cast<int>(key / 128), static_cast<int>(key % 128), kNoteOffVelocity)});
  }
  take->length_ms = last_ms - start_ms;
  return true;
}
