// Writing a performance as a Standard MIDI File: format 0, one track, 480
// ticks a quarter note (or another division), the song's tempo as the tempo
// of the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/synth_render.h"  // TimedShortMsg: a message and its time in ms

inline constexpr int kMidiFileTicksPerQuarter = 480;
// A take's file: 500 ticks a quarter at 120 beats a minute make one tick one
// millisecond, so every message keeps its exact time.
inline constexpr int kTakeTempoBpm = 120;
inline constexpr int kTakeTicksPerQuarter = 500;

// The bytes of the file. Real-time and other system messages (status 0xF0 and
// above) are left out; a file holds only channel messages. Messages keep their
// order; times must not decrease (a time below the one before is written at it).
std::vector<uint8_t> BuildMidiFile(const std::vector<TimedShortMsg>& messages, int tempoBpm,
                                   int ticksPerQuarter = kMidiFileTicksPerQuarter);

// Writes the file at path. 0 on success, 1 when it could not be written.
int WriteMidiFile(const std::string& path, const std::vector<TimedShortMsg>& messages,
                  int tempoBpm);
