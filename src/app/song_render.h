// A song's performance rendered offline through the built-in synthesizer.
#pragma once

#include "platform/synth_render.h"

inline constexpr int kSongRenderRate = 44100;  // Hz, stereo 16-bit
inline constexpr int kSongRenderTailMs = 2000;  // the last notes ring out
