// The song clock: the song's part of the 5 ms tick, run on the timer thread
// while a song plays, and the values it shares with the user-interface thread.
// Each value is written whole by one side at a time, so no lock is needed.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> g_AutoPlayState;   // 0 idle, 1 start requested, 2 running
extern std::atomic<int32_t> g_SongTime;        // ms, 0 at the first tick of a song
extern std::atomic<int32_t> g_SongEventIndex;  // next song event to fall due
extern std::atomic<int32_t> g_MidiStartTime;   // ms of song time MIDI Start is due at, 0 none
extern std::atomic<int32_t> g_bStopRequest;    // Escape pressed during a song

// One tick of a playing song: keeps the song clock, asks for MIDI Start and
// hands the events that fell due to the view.
void AutoPlayTick();

// Hooks the song into the 5 ms tick and Escape into the stop request.
void LinkSongClock();
// Program start: no song on the clock.
void ResetSongClock();
