// Where the two necks lie in the view, in client pixels, and their grid of
// cells: what turns a pointer position into a string, a fret and a bend.
#pragma once

#include "model/instrument.h"
#include "platform/messages.h"

// Neck grid: 8 string rows of 24 pixels by 20 fret columns of 64 pixels.
inline constexpr int kStringRowHeight = 24;  // pixels
inline constexpr int kFretWidth = 64;        // pixels; one semitone of bar travel
inline constexpr int kNeckLeft = 49;         // x of fret 0's left edge on both necks

// The necks (upper, lower): their right and bottom edges are the last pixels
// of fret 19 and string 7.
inline constexpr Rect kNeckRect[kNeckCount] = {{49, 111, 1328, 302}, {49, 411, 1328, 602}};
