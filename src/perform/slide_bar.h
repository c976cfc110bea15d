// The mouse as the slide bar: the play position under the pointer, the bar's
// pitch bend, the mouse-move handler, the cursor clip while playing, and the
// check that notices the pointer leaving the window.
#pragma once

#include "platform/messages.h"

// Bend units per pixel of bar travel: 16/3, so 64 pixels make one semitone
// (341 units at the channels' bend range of 24 semitones).
inline constexpr int kBendPerPixelNum = 16;
inline constexpr int kBendPerPixelDen = 3;
// After each processed bar motion the user-interface thread rests this long,
// which bounds the stream of bend messages.
inline constexpr int kBarMotionSleepMs = 20;

// The play position at client point (x, y) on neck n: string, fret and bar x.
// Between the cells there is none, and the pointer beeps. Returns the neck's
// region.
int HitNeck(int n, int x, int y);
// While a key is held on a neck the play position stays frozen where the bar
// was drawn and only the bar x follows the pointer x. Returns the neck's
// region.
int HoldPlayPosition(int x);
// The pointer is off the necks: no play position.
void ClearPlayPosition();
// True while a held key keeps the play position frozen (on the playing page).
bool PlayPositionHeld();

// The bar bend for a bar this many pixels right of a fret's centre (left when
// negative): 8192 at the centre.
int BarBendOfOffset(int pixels);
// The bar bend for a bar x, with the fret centre of the last key press.
int BarBendAt(int bar_x);

// Sends the bend of string i of neck n (bar bend plus pedal bend) to both
// channels of its pair.
void SendBend(int n, int i);

void OnMouseMove(WPARAM flags, Point p);

// With on, keeps the pointer on neck n while playing; with off, frees it only
// when no key and no pedal is held. Nothing happens during auto-play.
void ClipCursorToNeck(bool on, int n);

// Takes or releases the mouse capture for the neck (never during auto-play).
void TakeCapture();
void ReleaseMouseCapture();

// Run on every idle pass: notices the pointer leaving the window while a neck
// is played, without a mouse-move message.
void LeaveWindowCheck();
