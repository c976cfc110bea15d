// Lets a live synthesizer rest while it is silent: once its output has been
// quiet for a while and no voice sounds, buffers are filled with zeros without
// running the synthesizer, until the next message wakes it. An idle program
// then costs the audio output's wake-ups and nothing more.
#pragma once

#include <atomic>

class SilenceGate {
 public:
  // Below this level a buffer counts as quiet (full scale 1.0; about -100 dB).
  static constexpr float kQuietLevel = 1e-5f;

  explicit SilenceGate(int quiet_frames_before_rest) : m_RestAfter(quiet_frames_before_rest) {}

  // Any thread, after a message has reached the synthesizer.
  void Wake() { m_Woken.store(true, std::memory_order_release); }

  // The audio thread, before each buffer: whether to run the synthesizer.
  bool BeginBuffer();
  // The audio thread, after running it: the buffer's peak and length, and
  // whether any voice is still sounding (asked only when the rest is near).
  template <class VoicesSounding>
  void EndBuffer(float peak, int frames, VoicesSounding voices_sounding) {
    m_QuietFrames = peak < kQuietLevel ? m_QuietFrames + frames : 0;
    if (m_QuietFrames < m_RestAfter) return;
    // A message that came during the buffer may not be heard yet.
    if (m_Woken.load(std::memory_order_acquire) || voices_sounding()) return;
    m_Resting = true;
  }
  bool resting() const { return m_Resting; }

 private:
  const int m_RestAfter;
  std::atomic<bool> m_Woken{true};
  int m_QuietFrames = 0;
  bool m_Resting = false;
};
