// The program-wide song data: the file's path and text, its header, the parsed
// entries and the event table. Fixed in size and allocated once for the run.
#pragma once

#include <cstdint>

#include "song/song_types.h"

extern char g_SongPath[kSongPathChars + 1];  // caption of every song message
extern char g_SongText[kSongTextBytes];      // the file's bytes, then a 0
extern SongHeader g_SongHeader;
extern SongItem g_SongItem[kSongItemCount];
extern SongEvent g_SongEvent[kSongEventCount];
extern int32_t g_SongItemCount;    // entries written by the last load, end entry included
extern int32_t g_SongEventCount;   // events written by the last compile, end event included
extern int32_t g_TimeSinceLabel;   // time units the score added since the last bar label

// Returns all song data and the program-wide song reader to program start.
void ResetSongState();
