// Shows a picture in an SDL window through the window's own surface: the
// program's windows are drawn in memory and copied out whole or in parts.
#pragma once

#include <vector>

#include "platform/messages.h"
#include "platform/picture.h"

// Copies the rectangles of picture (window client pixels) to the window's
// surface and updates them on the screen. window is an SDL_Window.
void PresentOnWindowSurface(void* window, const Picture& picture, const std::vector<Rect>& rects);
