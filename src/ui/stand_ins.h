// Values and operations the panel reads that belong to the slide bar and
// auto-play. Each is defined here only until its owner provides it.
#pragma once

#include <cstdint>

#include "midi/channels.h"
#include "midi/midi_port.h"

extern int32_t g_bSongReady;      // 1 when a song has been read and compiled

int HitTest(int x, int y);        // region under a client point, -1 none
void DrawBar(int force);          // the slide bar at the play position
