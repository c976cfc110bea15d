#include "platform/soundfont.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/builtin_synth.h"
#include "platform/profile.h"

namespace {

bool IsSoundFont(const std::filesystem::path& path) {
  SilenceSynthLog();
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && fluid_is_soundfont(path.c_str());
}

bool HasSf2Extension(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".sf2";
}

}  // namespace

std::string FindSoundFont(const std::string& settings_path, const std::string& folder) {
  // The key is only read: a settings file without it stays without it.
  if (!settings_path.empty()) {
    const std::string chosen = ProfileFile(settings_path).GetString("Synth", "SoundFont", "");
    if (!chosen.empty() && IsSoundFont(chosen)) return chosen;
  }
  const std::filesystem::path dir(folder);
  if (IsSoundFont(dir / kDefaultSoundFont)) return (dir / kDefaultSoundFont).string();

  std::error_code ec;
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (HasSf2Extension(entry.path())) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  for (const auto& path : found) {
    if (IsSoundFont(path)) return path.string();
  }
  return "";
}
