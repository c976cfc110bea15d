// The number keys as the picking hand: each key sounds a shape of strings from
// the pointed string at the bar, or starts a stroke; releasing the last held
// key silences the neck.
#pragma once

#include <cstdint>

// Velocities of live playing.
inline constexpr int kVelocityFull = 127;   // key 1, or any shape on string 7
inline constexpr int kVelocityFirst = 120;  // the pointed string of a shape; a stroke's last note
inline constexpr int kVelocityFurther = 77; // the further strings, and a stroke's notes before its last
// During auto-play the further strings sound at this share of the song's velocity.
inline constexpr int kAutoFurtherPercent = 60;

// Virtual-key codes of the digits: main keyboard and numeric keypad.
inline constexpr int kVkDigit0 = 48;
inline constexpr int kVkNumpad0 = 96;
inline constexpr int kStrokeShape = 0;
inline constexpr int kNoShape = 6;  // digit 6 plays nothing

// The shape number of a key, or -1 for a key that does not play.
int ShapeOfKey(int vk);

void OnKeyDown(int vk, int repeat, uint32_t flags);
void OnKeyUp(int vk, int repeat, uint32_t flags);

// Sounds string i of neck n: its bend, then note-on on both channels of its pair.
void SoundString(int n, int i, int note, int velocity);
// Silences every sounding string of neck n, string 0 first.
void SilenceNeck(int n);
// The no-pedal note of string i of neck n at the bar's fret.
int BaseNote(int n, int i);
// Ends a running stroke.
void CancelStroke();
// The velocity of the further strings and of a stroke's middle notes.
int FurtherVelocity();
