// The channel pairs of the strings and the set-up messages of every channel:
// the full reset when the port opens, All Notes Off, a neck's two voices.
#pragma once

// Even channels of the pairs in allocation order; voice 1 plays one above.
// Channels 8 and 9 are never used (9 is the rhythm channel).
inline constexpr int kChannelPairCount = 7;
inline constexpr int kPairChannels[kChannelPairCount] = {0, 2, 4, 6, 10, 12, 14};

// Gives every string of the neck the pair of the first string with the same
// pedal pattern, else the next free pair; an eighth pattern shares the last one.
void AllocateChannels(int neck);
// The 34-message reset of every channel but 9 (510 messages).
void ResetAllChannels();
// Controller 123 on every channel but 9, ascending.
void AllNotesOff();
// Loads the neck's two voices onto every pair: 34 messages a pair with the
// volumes, 32 without.
void SetupNeckVoices(int neck, bool withVolume);
// The three vibrato parameters of the program, then expression at full.
void SendVibrato(int channel, int program);
