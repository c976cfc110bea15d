// The view's message filter, in front of every handler: mouse moves wait and
// are delivered at most every 20 ms, latest first; while a song plays, live
// input is dropped and Escape asks the song to stop.
#pragma once

#include "platform/messages.h"

// False when the message is held back or dropped; true when it goes on to
// the view's handlers.
bool FilterViewMessage(const Message& m);

// What Escape does while a song plays: auto-play installs its stop request.
void SetSongStopRequest(void (*request)());

// Runs the playing handlers of the keys, the mouse moves and the timed
// motions for a message that passed the filter (the buttons are the panel's,
// which hands neck presses to the pedals). Returns true when the message was
// one of theirs.
bool DispatchPlayMessage(const Message& m);
