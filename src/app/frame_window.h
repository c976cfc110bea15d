// The main frame: the one top-level window "Slidora", 1360 by 706 pixels
// without caption or border, opened where it stood last time (kept on the
// screen), saving its place when it is destroyed; and the program's handling
// of the frame's own messages (close, minimise, cursor shape, dropped files).
#pragma once

#include <functional>
#include <string>

#include "platform/messages.h"

inline constexpr const char* kWindowTitle = "Slidora";
inline constexpr const char* kWindowPositionSection = "WindowPosition";

// Where the frame opens for a stored left and top on a screen of the given
// size: moved back onto the screen, and never above or left of it.
Point FramePosition(int left, int top, Point screen);
// The stored left and top of the settings file (0 when absent).
Point StoredFramePosition(const std::string& settings_path);
// Writes the frame's left and top to the settings file at once.
bool SaveFramePosition(const std::string& settings_path, Point top_left, std::string* error = nullptr);

// The frame's messages: WM_CLOSE starts the close, WM_SYSCOMMAND minimises,
// WM_SETCURSOR lets the panel choose the cursor, WM_DROPFILES hands the
// dropped files to the song player (a MIDI file to the take player), Ctrl+S
// saves the take; everything else goes to the view.
// on_close runs the close request.
void FrameWindowProc(const Message& m, const std::function<void()>& on_close);
