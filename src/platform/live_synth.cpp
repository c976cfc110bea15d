#include "platform/live_synth.h"

#include "platform/profile.h"
#include "platform/soundfont.h"

bool AutoConnectSetting(const std::string& settings_path) {
  if (settings_path.empty()) return true;
  return ProfileFile(settings_path).GetInt("Synth", "AutoConnect", 1) != 0;
}

std::unique_ptr<BuiltinSynth> OpenLiveSynth(const std::string& settings_path, int sample_rate) {
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create("", sample_rate);
  if (!synth || RestartLiveAudio(*synth, settings_path) != 0) return nullptr;
  const std::string soundfont = FindSoundFont(settings_path);
  if (soundfont.empty()) return nullptr;
  synth->LoadSoundFontInBackground(soundfont);
  return synth;
}

int RestartLiveAudio(BuiltinSynth& synth, const std::string& settings_path) {
  return synth.StartAudio(AutoConnectSetting(settings_path));
}
