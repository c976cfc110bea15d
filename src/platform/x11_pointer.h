// The pointer's place on the screen as the X server has it. SDL keeps a copy
// of its own that only some input events refresh: a pointer moved by another
// client, or moved just as the window moved under it, is not seen there.
#pragma once

// Sets x and y to the pointer's screen point and returns true when the SDL
// window (an SDL_Window) is on X; false elsewhere.
bool QueryX11Pointer(void* sdl_window, int* x, int* y);
