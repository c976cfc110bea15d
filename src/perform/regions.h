// The numbers of the panel's 46 regions: what the hit test returns, what the
// mouse capture holds while a neck, the window drag or a spin button has it,
// and what the hint line is indexed by. Their rectangles are the view's.
#pragma once

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

// A neck's own region: 6 for the upper neck, 21 for the lower; the neck's
// fields follow it in the same order on both.
inline constexpr int kNeckRegionStep = LowerNeck - UpperNeck;
inline int NeckRegion(int neck) { return UpperNeck + kNeckRegionStep * neck; }
inline bool IsNeckRegion(int r) { return r == UpperNeck || r == LowerNeck; }
// The spin buttons of the voice page, up and down for each of five values.
inline bool IsSpinRegion(int r) { return r >= BankMsbUp && r <= VibDelayDown; }
