#include "platform/pending_messages.h"

#include <array>
#include <cstddef>

namespace {

// Room for a second of a dense song before the backlog grows.
constexpr size_t kReserved = 1 << 15;
constexpr int kChannels = 16;
constexpr int kKeys = 128;
constexpr int kCcAllSoundOff = 120;
constexpr int kCcAllNotesOff = 123;
constexpr int kNone = -1;

int Type(uint32_t m) { return m & 0xF0; }
int Channel(uint32_t m) { return m & 0x0F; }
int Data1(uint32_t m) { return (m >> 8) & 0x7F; }
int Data2(uint32_t m) { return (m >> 16) & 0x7F; }
bool IsNoteOn(uint32_t m) { return Type(m) == 0x90 && Data2(m) > 0; }
bool IsNoteOff(uint32_t m) { return Type(m) == 0x80 || (Type(m) == 0x90 && Data2(m) == 0); }
bool EndsAllNotes(uint32_t m) {
  return Type(m) == 0xB0 && (Data1(m) == kCcAllNotesOff || Data1(m) == kCcAllSoundOff);
}

}  // namespace

PendingMessages::PendingMessages() { m_Messages.reserve(kReserved); }

void PendingMessages::Add(uint32_t packed) { m_Messages.push_back(packed); }

std::vector<uint32_t> PendingMessages::Take() {
  const size_t n = m_Messages.size();
  std::vector<bool> dropped(n, false);
  // Index of the note-on still sounding on each channel and key.
  std::array<std::array<int, kKeys>, kChannels> held;
  for (auto& keys : held) keys.fill(kNone);
  for (size_t i = 0; i < n; ++i) {
    const uint32_t m = m_Messages[i];
    int& on = held[Channel(m)][Data1(m)];
    if (IsNoteOn(m)) {
      on = static_cast<int>(i);
    } else if (IsNoteOff(m) && on != kNone) {
      dropped[on] = dropped[i] = true;
      on = kNone;
    } else if (EndsAllNotes(m)) {
      for (int& key : held[Channel(m)]) {
        if (key != kNone) dropped[key] = true;
        key = kNone;
      }
    }
  }
  std::vector<uint32_t> kept;
  kept.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    if (!dropped[i]) kept.push_back(m_Messages[i]);
  }
  m_Messages.clear();
  return kept;
}
