// Values the panel reads that belong to auto-play. Each is defined here only
// until its owner provides it.
#pragma once

#include <cstdint>

#include "midi/channels.h"
#include "midi/midi_port.h"
#include "perform/bar_drawing.h"
#include "perform/slide_bar.h"

extern int32_t g_bSongReady;      // 1 when a song has been read and compiled

