// Messages that reach the built-in synthesizer while its SoundFont is still
// loading: kept in order and played once the sounds are there. A note that was
// both started and ended while waiting is left out with its end, so that the
// backlog never sounds as a burst of late notes; a note still held starts late,
// and everything else (voices, controllers, bends) is applied as sent.
#pragma once

#include <cstdint>
#include <vector>

class PendingMessages {
 public:
  PendingMessages();
  // One packed short message (status | data1 << 8 | data2 << 16).
  void Add(uint32_t packed);
  // The messages to play now, in order; the backlog is emptied.
  std::vector<uint32_t> Take();
  bool empty() const { return m_Messages.empty(); }

 private:
  std::vector<uint32_t> m_Messages;
};
