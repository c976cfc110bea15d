// Which SoundFont the built-in synthesizer plays: the file named by the key
// "SoundFont" of section "Synth" in the settings file, when a user has added
// one, else Debian's default General MIDI SoundFont, else the first SoundFont
// in Debian's folder of them.
#pragma once

#include <string>

inline constexpr const char* kSoundFontFolder = "/usr/share/sounds/sf2";
inline constexpr const char* kDefaultSoundFont = "default-GM.sf2";

// Empty when there is none.
std::string FindSoundFont(const std::string& settings_path,
                          const std::string& folder = kSoundFontFolder);
