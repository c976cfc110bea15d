// Renders a timed list of short messages offline with the built-in
// synthesizer, without any audio device: the sound of a song, or of a test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TimedShortMsg {
  double time_ms;   // from the start of the rendering
  uint32_t packed;  // status | data1 << 8 | data2 << 16
};

inline constexpr int kRenderSampleRate = 48000;  // Hz

// Interleaved stereo 16-bit samples from time 0 until tail_ms after the last
// message. Messages are played in time order (equal times in list order) at
// the synthesizer block (64 frames) that follows their time. Empty when the
// SoundFont cannot be loaded.
std::vector<int16_t> RenderOffline(const std::vector<TimedShortMsg>& events,
                                   const std::string& soundfont, int sample_rate, int tail_ms);
