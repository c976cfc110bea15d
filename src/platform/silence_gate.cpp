#include "platform/silence_gate.h"

bool SilenceGate::BeginBuffer() {
  // Taken before the buffer: whatever arrives later wakes the next one.
  const bool woken = m_Woken.exchange(false, std::memory_order_acq_rel);
  if (m_Resting && !woken) return false;
  if (m_Resting) m_QuietFrames = 0;
  m_Resting = false;
  return true;
}
