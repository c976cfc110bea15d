// The panel's geometry: the 46 rectangles that are drawn into, clicked and
// hit-tested, in view client pixels (left, top, right, bottom).
#pragma once

#include "platform/messages.h"

inline constexpr int kRegionCount = 46;

enum RegionIndex {
  PlayButton = 0,
  TuningButton = 1,
  MidiButton = 2,
  MoveButton = 3,
  MinimizeButton = 4,
  CloseButton = 5,
  UpperNeck = 6,
  UpperTuningSet = 7,  // 7..14, one per tuning set
  UpperVoice0Name = 15,
  UpperVoice1Name = 16,
  UpperVolume0 = 17,
  UpperVolume1 = 18,
  UpperGuideShift = 19,
  UpperMidiShift = 20,
  LowerNeck = 21,
  LowerTuningSet = 22,  // 22..29
  LowerVoice0Name = 30,
  LowerVoice1Name = 31,
  LowerVolume0 = 32,
  LowerVolume1 = 33,
  LowerGuideShift = 34,
  LowerMidiShift = 35,
  BankMsbUp = 36,
  BankMsbDown = 37,
  BankLsbUp = 38,
  BankLsbDown = 39,
  VibDepthUp = 40,
  VibDepthDown = 41,
  VibRateUp = 42,
  VibRateDown = 43,
  VibDelayUp = 44,
  VibDelayDown = 45,
};

extern const Rect g_Region[kRegionCount];

// A neck's own region: 6 for the upper neck, 21 for the lower.
inline int NeckRegion(int neck) { return UpperNeck + 15 * neck; }

// Neck grid: 8 string rows of 24 pixels by 20 fret columns of 64 pixels.
inline constexpr int kStringRowHeight = 24;  // pixels
inline constexpr int kFretWidth = 64;        // pixels; one semitone of bar travel
inline constexpr int kNeckLeft = 49;         // x of fret 0's left edge on both necks

// The window and its client area.
inline constexpr int kWindowWidth = 1360;
inline constexpr int kWindowHeight = 706;
