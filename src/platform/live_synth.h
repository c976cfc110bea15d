// The built-in synthesizer as the program plays it: the audio output opened
// first (without sound there is no use reading a SoundFont), then the
// SoundFont the settings name (or the system's default) loaded in the
// background, so the window shows at once. The settings file may also say
// "[Synth] AutoConnect=0" to leave JACK outputs unconnected; the key is only
// read, never written.
#pragma once

#include <memory>
#include <string>

#include "platform/builtin_synth.h"

// nullptr when there is no audio output or no SoundFont.
std::unique_ptr<BuiltinSynth> OpenLiveSynth(const std::string& settings_path, int sample_rate);
// Opens the audio output again after StopAudio. 0 on success.
int RestartLiveAudio(BuiltinSynth& synth, const std::string& settings_path);
// False when the settings turn the connection of JACK outputs off.
bool AutoConnectSetting(const std::string& settings_path);
