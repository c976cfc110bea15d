// The mouse buttons as the two pedals: the left button presses pedal 1, the
// right pedal 2, over a neck on the playing page. Each pedal glides the
// strings its tuning assigns to it one semitone up or down.
#pragma once

// The pedal glide moves every bend this many units per glide tick of 30 ms.
inline constexpr int kGlideStepUnits = 30;

// Strings whose pedal-1 offset (mask bit 1) or pedal-2 offset (mask bit 2)
// is not 0 in tuning t.
int CountPedalStrings(int t, int mask);

// Recomputes the bend targets of neck n for the pedals now held.
void SetPedalTargets(int n);

// Pedal p (1 or 2) pressed over neck region r (6 or 21) on the playing page.
void PressPedal(int p, int r);
// Pedal p released (the release point does not matter).
void ReleasePedal(int p);
