#include "platform/silence_gate.h"

bool SilenceGate::BeginBuffer() {
  // Taken before the buffer: whatever arrives later wakes the next one.
  const bool woken = m_Woken.exchange(false, std::memory_order_acq_rel);
  if (m_Resting && !woken) return false;
  // Every message starts the quiet time again: a note often begins with a
  // stretch of near silence, and the synthesizer's count of sounding voices
  // may not have caught up with it yet.
  if (woken) m_QuietFrames = 0;
  m_Resting = false;
  return true;
}
