// Values and operations the panel reads that belong to the output port, the
// slide bar and auto-play. Each is defined here only until its owner provides it.
#pragma once

#include <cstdint>
#include <string>

extern int32_t g_MidiOutDevice;   // device open now, -1 the mapper
std::string DeviceName(int id);   // product name of device id -1..12, "none" when absent
extern int32_t g_bSongReady;      // 1 when a song has been read and compiled

int HitTest(int x, int y);        // region under a client point, -1 none
void DrawBar(int force);          // the slide bar at the play position
void AllocateChannels(int neck);  // channel pairs of a neck's strings
