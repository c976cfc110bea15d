// Turning the parsed entries of a song into the timed event table auto-play walks.
#pragma once

#include <cstdint>

#include "song/song_types.h"

inline constexpr int kCompileTooLong = 1;  // more than 200 bars
inline constexpr int kCompileTooMany = 2;  // the event table is full

inline constexpr int kMaxSongUnits = 200 * kUnitsPerBar;  // the longest song, in time units
inline constexpr int kSlideStepMs = 20;                   // a slide moves the bar every 20 ms
inline constexpr int kBendPerFret = 64;  // slide bend offset of one fret (one semitone)

// Milliseconds from the song start after units time units at tempo beats a minute.
// Always taken from the running total, so rounding never adds up.
int32_t SongUnitsToMs(int32_t units, int32_t tempo);

// Compiles g_SongItem at g_SongHeader.Tempo into g_SongEvent. Returns 0, or
// kCompileTooLong / kCompileTooMany after showing the message.
int CompileSong();
