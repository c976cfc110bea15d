// A performance through the built-in synthesizer, offline: every message goes
// in at the frame of its time, and a tail lets the last notes ring out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/synth_render.h"

inline constexpr int kSongRenderRate = 44100;  // Hz, stereo 16-bit
inline constexpr int kSongRenderTailMs = 2000;

// Called now and then with the share of the audio done, 0..1.
using RenderProgress = std::function<void(double done)>;

// Renders the messages into interleaved stereo samples. 0 on success, 1 when
// the SoundFont cannot be loaded.
int RenderSong(const std::vector<TimedShortMsg>& messages, const std::string& soundfont,
               int sampleRate, int tailMs, const RenderProgress& progress,
               std::vector<int16_t>* samples);
