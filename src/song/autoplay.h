// Auto-play: a compiled song played through the live-playing operations.
// The 5 ms tick finds the events that fell due and posts them (song step
// message); the view's handler carries them out on the user-interface thread.
#pragma once

#include <cstdint>

#include "platform/messages.h"

// Kinds of the song step message (its wParam).
inline constexpr WPARAM kSongStepEvents = 0;     // lParam: index of the last event due
inline constexpr WPARAM kSongStepStop = 1;       // Escape was pressed
inline constexpr WPARAM kSongStepMidiStart = 2;  // the MIDI Start time has come

// 1 once a song has been started, until a later load or compile fails: a left
// click on the play button then replays it.
extern int32_t g_bSongReady;
// Index in g_SongEvent of the next event the handler carries out.
extern int32_t g_SongHandledIndex;

// Starts the song compiled last.
void StartAutoPlay();
// true: saves the upper neck's live set-up and puts the song's in its place;
// false: puts the saved set-up back.
void SetSongSetup(bool on);
// Stops a song still playing as Escape would (MIDI Stop, keys released, the
// live set-up put back); the window's close runs it before the settings are
// written, so a song's tuning and voices never replace the player's own.
void StopAutoPlay();
// Handler of the song step message.
void OnSongEvents(WPARAM kind, LPARAM index);

void ResetAutoPlayState();
