// Renders a timed list of short messages offline with the built-in
// synthesizer, without any audio device: the sound of a song, or of a test.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TimedShortMsg {
  double time_ms;   // from the start of the rendering
  uint32_t packed;  // status | data1 << 8 | data2 << 16
};

inline constexpr int kRenderSampleRate = 48000;  // Hz

// The synthesizer runs at this rate while rendering: its 64-frame block is then
// exactly one millisecond, so a message at a whole millisecond starts a block
// and sounds from its exact instant; the sound is converted to the asked rate.
inline constexpr int kRenderSynthRate = 64000;  // Hz

// Called now and then with the share of the audio done, 0..1.
using RenderProgress = std::function<void(double done)>;

// Takes the rendered sound in order, count interleaved stereo samples at a
// time; false stops the rendering (the output could not be written).
using RenderSink = std::function<bool(const int16_t* samples, size_t count)>;

// Output frames a rendering of events gives: from time 0 until tail_ms after the
// last message.
int64_t RenderedFrames(const std::vector<TimedShortMsg>& events, int sample_rate, int tail_ms);

// Renders interleaved stereo 16-bit samples at sample_rate from time 0 until
// tail_ms after the last message, handing them to sink a second at a time, so
// memory does not grow with the length. Messages are played in time order
// (equal times in list order), each at its time rounded to the millisecond
// (times in a performance are whole milliseconds). 0 when done, 1 when the
// SoundFont cannot be loaded (the sink got nothing), 2 when the sink refused.
int RenderOfflineTo(const std::vector<TimedShortMsg>& events, const std::string& soundfont,
                    int sample_rate, int tail_ms, const RenderSink& sink,
                    const RenderProgress& progress = {});

// The same, collected: empty when the SoundFont cannot be loaded.
std::vector<int16_t> RenderOffline(const std::vector<TimedShortMsg>& events,
                                   const std::string& soundfont, int sample_rate, int tail_ms,
                                   const RenderProgress& progress = {});
