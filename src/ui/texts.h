// The panel's fixed texts: the names of the 128 General MIDI voices, the hover
// hints of the regions, and the other texts of the hint line and the pages.
#pragma once

#include "model/instrument.h"

inline constexpr int kHintCount = 40;

// Index = program change value 0..127.
extern const char* const g_VoiceName[kProgramCount];
// Index = region number; "" where a region has no hint.
extern const char* const g_HintText[kHintCount];

inline constexpr const char* kVersionText = "1.03";
inline constexpr const char* kPlayHintSongReady =
    " Left Click >> Auto Play,   Right Click >> Read \"EditingSong.txt\" file ";
inline constexpr const char* kPlayHintNoSong = "Right Click >> Read \"EditingSong.txt\" file ";
inline constexpr const char* kStopHint = " [ESC] >> Stop ";
// After the name of an output device that has vanished while open.
inline constexpr const char* kDeviceGoneNote = " is gone: it opens again when it is back ";
inline constexpr const char* kTuningFooter = " [mouse L] >>Increment,   [mouse R] >>Decrement ";
