// The mouse as the slide bar: the hit test of the whole view, the bar's pitch
// bend, the mouse-move handler, the cursor clip while playing, the drawing of
// the bar, and the check that notices the pointer leaving the window.
#pragma once

#include "platform/messages.h"

// Bend units per pixel of bar travel: 16/3, so 64 pixels make one semitone
// (341 units at the channels' bend range of 24 semitones).
inline constexpr int kBendPerPixelNum = 16;
inline constexpr int kBendPerPixelDen = 3;
// After each processed bar motion the user-interface thread rests this long,
// which bounds the stream of bend messages.
inline constexpr int kBarMotionSleepMs = 20;

// Grid codes of the tuning editor: 100 * set + 10 * string + box code.
inline constexpr int kGridNoteBox = 100;
inline constexpr int kGridPedal1Box = 101;
inline constexpr int kGridPedal2Box = 102;

// The region (or tuning-editor grid code) at client point (x, y), or -1.
// Brings the play position up to date; while a key is held on a neck the
// position stays frozen and only the bar x follows the pointer.
int HitTest(int x, int y);

// The bar bend for a bar x, with the fret centre of the last key press.
int BarBendAt(int bar_x);

// Sends the bend of string i of neck n (bar bend plus pedal bend) to both
// channels of its pair.
void SendBend(int n, int i);

void OnMouseMove(WPARAM flags, Point p);

// With on, keeps the pointer on the region while playing; with off, frees it
// only when no key and no pedal is held. Nothing happens during auto-play.
void ClipCursorToRegion(bool on, int region);

// Takes or releases the mouse capture for the neck (never during auto-play).
void TakeCapture();
void ReleaseMouseCapture();

// Run on every idle pass: notices the pointer leaving the window while a neck
// is played, without a mouse-move message.
void LeaveWindowCheck();
