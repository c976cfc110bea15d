// Playing a MIDI file back: a .mid file dropped on the playing page is sent
// to the open port with its own timing, like a song: live input is locked,
// Escape stops it with MIDI Stop and every note released, and the channels
// get back the set-up they had before it.
#pragma once

#include <string>

#include "platform/messages.h"

// Starts the file at path, only on the playing page while nothing plays.
// A file that cannot be read is told in a message box. 0 when it started.
int StartTakePlayback(const std::string& path);
// The main frame's handler of a dropped MIDI file: as a song's drop, only on
// the playing page while nothing plays.
void OnDropMidiFile(const std::string& path);
// Stops a playback as Escape does; nothing when none runs.
void StopTakePlayback();
bool TakePlaying();
// The handler of WM_TAKE_STEP: wParam kTakeStepDue sends what fell due,
// kTakeStepStop stops (Escape).
void OnTakeStep(const Message& m);

inline constexpr WPARAM kTakeStepDue = 0;   // lParam: the timer that posted it
inline constexpr WPARAM kTakeStepStop = 1;

void ResetTakePlaybackState();
