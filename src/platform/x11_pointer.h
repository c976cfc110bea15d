// Where the pointer is on the screen, asked of the X server itself: SDL's own
// answer comes from a cache that only some input devices refresh.
#pragma once

#include "platform/messages.h"

// The pointer's screen position through the X display of an SDL window. False
// when the window is not on X (or the server cannot say).
bool QueryX11Pointer(void* sdl_window, Point* screen);
