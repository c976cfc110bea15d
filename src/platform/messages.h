// Window messages as the view receives them: the platform's input messages
// (numbered as the window system numbers them) and the system's own private
// messages posted by the timers.
#pragma once

#include <cstdint>

using WPARAM = intptr_t;
using LPARAM = intptr_t;

struct Message {
  uint32_t msg;
  WPARAM wParam;
  LPARAM lParam;
};

inline constexpr uint32_t WM_CLOSE = 0x0010;
// The pointer moved over the window while nothing holds the mouse: the window
// may choose the cursor shape (sent before the WM_MOUSEMOVE).
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;  // a typed character (wParam)
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_DROPFILES = 0x0233;

inline constexpr WPARAM SC_MINIMIZE = 0xF020;

// Private messages, posted to the view by the timer callbacks.
inline constexpr uint32_t WM_STROKE_STEP = 32008;    // slot 1: sound the next string of a stroke
inline constexpr uint32_t WM_GLIDE_STEP = 32009;     // slot 2: move the pedal bends one step
inline constexpr uint32_t WM_MOUSE_RELEASE = 32010;  // tick: deliver the waiting mouse move
inline constexpr uint32_t WM_SONG_STEP = 32011;      // tick: song events fell due, stop, or MIDI Start
inline constexpr uint32_t WM_TAKE_STEP = 32012;      // a MIDI file playing back: the next messages are due

// Key-message flags: bit 14 set means the key was already down (auto-repeat).
inline constexpr uint32_t kKeyRepeatFlag = 0x4000;
inline constexpr int VK_ESCAPE = 27;

// Mouse-message key-state flags.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;

// A client point packed into a message parameter: x in the low 16 bits, y in
// the high 16 bits, each signed.
inline LPARAM MakePointParam(int x, int y) {
  return static_cast<LPARAM>(static_cast<uint16_t>(x) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
inline int PointX(LPARAM l) { return static_cast<int16_t>(l & 0xFFFF); }
inline int PointY(LPARAM l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

struct Point {
  int x;
  int y;
};

// A rectangle of client or screen pixels: (left, top, right, bottom).
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};
