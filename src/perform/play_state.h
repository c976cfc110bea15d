// What the player is doing now: the play position under the pointer, the bar
// as last drawn, the held number keys, the running stroke and the capture.
// Touched only on the user-interface thread.
#pragma once

#include <cstdint>

#include "platform/messages.h"

inline constexpr int kShapeCount = 10;  // number keys 0..9; 6 plays nothing

extern int32_t g_PlayString;    // string row under the pointer, 0..7, -1 none
extern int32_t g_BarX;          // pointer x minus the necks' left edge, pixels
extern int32_t g_DrawnNeck;     // where the bar was drawn last; while a key is held
extern int32_t g_DrawnString;   // these are also the frozen play position
extern int32_t g_DrawnFret;
extern int32_t g_DrawnBarX;
extern int32_t g_bBarShown;     // 1 while the bar is on screen and the strip under it saved
extern int32_t g_Capture;       // region holding the mouse capture: -1 none, 3 drag, 6/21 neck, 36..45 spin

extern int32_t g_KeyDown[kShapeCount];  // 1 while the key of shape k is held
extern int32_t g_bKeyHeld;              // 1 from an accepted key press until no playing key is held
extern int32_t g_FretCentreX;           // centre of the fret played, pixels from the neck's left edge
extern int32_t g_StrokeString;          // next string the stroke sounds, -1 no stroke
extern int32_t g_StrokeLast;            // string where the stroke ends, -1 no stroke

extern Point g_CursorClient;  // last pointer position, view client pixels
extern Point g_CursorScreen;  // the same in screen pixels
extern int32_t g_HintRegion;  // region whose hint the hint line shows, -1 none

// Program start: every value as the program begins with it.
void ResetPlayState();
// Start-up and auto-play: the pointer on no neck, no bar drawn.
void ResetPlayPosition();
