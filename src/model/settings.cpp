#include "model/settings.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "model/instrument.h"
#include "platform/profile.h"
#include "platform/working_dir.h"

std::string g_SettingsPath;

namespace {

constexpr const char* kInitial = "InitialSetting";
constexpr const char* kTuning = "Tuning";
constexpr const char* kNeckInfo = "NeckInfo";
constexpr const char* kMidi = "MIDI";
constexpr const char* kVibrato = "Vibrato";

struct DefaultTuning {
  const char* name;
  const char* notes[kStringCount];
  int pedal[2][kStringCount];
};

constexpr DefaultTuning kDefaultTunings[kTuningCount] = {
    {"C6", {"G", "E", "C", "A", "G", "E", "C", "A"},
     {{0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 0, 1, 0, 0, 0, 1}}},
    {"C69", {"E", "D", "C", "A", "G", "E", "D", "C"},
     {{0, 0, 1, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 1, 0, 0}}},
    {"C13", {"F#", "D", "B", "G", "E", "C", "A", "G"},
     {{-1, 0, 0, 0, 1, -1, 0, 0}, {1, 0, 1, 0, 0, 0, 0, 0}}},
    {"Am67", {"G", "E", "C", "A", "F#", "E", "C", "A"},
     {{-1, 0, 1, 1, 0, 0, 1, 1}, {0, 0, 0, 0, 1, 0, 0, 0}}},
    {"E7", {"G#", "E", "D", "B", "G#", "E", "D", "B"},
     {{0, 0, 1, 0, 0, 0, 1, 0}, {-1, 0, 0, 0, -1, 0, 0, 0}}},
    {"E9", {"G#", "E", "D", "B", "G#", "F#", "D", "B"},
     {{0, 1, -1, 0, 0, 0, 1, 0}, {0, 0, -1, 0, 0, 0, 0, 0}}},
    {"E13", {"E", "C#", "G#", "F#", "D", "B", "G#", "E"},
     {{0, 0, 0, 0, 1, 0, 0, 0}, {0, 0, 1, 0, -1, 0, 1, 0}}},
    {"B11", {"E", "C#", "A", "F#", "D#", "B", "G#", "F#"},
     {{0, 0, 0, 1, 1, 0, 0, 0}, {0, 1, 0, 0, -1, 0, 0, 0}}},
};

// Bowed strings, brass and saxophones get a vibrato by default.
bool HasDefaultVibrato(int program) {
  static constexpr int kPrograms[] = {40, 41, 42, 56, 57, 64, 65, 66, 67};
  return std::find(std::begin(kPrograms), std::end(kPrograms), program) != std::end(kPrograms);
}

constexpr int kVibratoDepth = 64, kVibratoRate = 70, kVibratoDelay = 90;

// One integer field of a neck, its key suffix, default per neck and range.
struct NeckField {
  const char* key;
  int32_t NeckInfo::*field;
  int def[kNeckCount];
  int lo, hi;
};

constexpr NeckField kNeckFields[] = {
    {"Tuning", &NeckInfo::Tuning, {0, 4}, 0, 7},
    {"Voice0MSB", &NeckInfo::Voice0MSB, {0, 0}, 0, 127},
    {"Voice0LSB", &NeckInfo::Voice0LSB, {0, 0}, 0, 127},
    {"Voice0No", &NeckInfo::Voice0No, {26, 25}, 0, 127},
    {"Voice1MSB", &NeckInfo::Voice1MSB, {0, 0}, 0, 127},
    {"Voice1LSB", &NeckInfo::Voice1LSB, {0, 0}, 0, 127},
    {"Voice1No", &NeckInfo::Voice1No, {74, 74}, 0, 127},
    {"Volume0", &NeckInfo::Volume0, {8, 9}, 0, 10},
    {"Volume1", &NeckInfo::Volume1, {5, 5}, 0, 10},
    {"GuideShift", &NeckInfo::GuideShift, {0, -8}, -8, 7},
    {"MidiShift", &NeckInfo::MidiShift, {0, 0}, -12, 12},
};

constexpr const char* kNeckPrefix[kNeckCount] = {"Upper", "Lower"};

std::string Key(const char* format, int a, int b = 0, int c = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

std::string NeckKey(int neck, const char* field) { return std::string(kNeckPrefix[neck]) + field; }

// A value outside its range would index outside the tables or send a data
// byte above 127; it is brought to the nearest end of the range.
int ReadInt(const ProfileFile& ini, const char* section, const std::string& key, int def, int lo,
            int hi) {
  return std::clamp(ini.GetInt(section, key.c_str(), def), lo, hi);
}

}  // namespace

void BuildSettingsPath() { g_SettingsPath = WorkingDirectoryPath(kSettingsFileName); }

void LoadSettings() {
  ProfileFile ini(g_SettingsPath);
  g_MidiOutDeviceName = ini.GetString(kInitial, "MidiOutDeviceName", "MIDI Mapper");
  for (int t = 0; t < kTuningCount; ++t) {
    const DefaultTuning& d = kDefaultTunings[t];
    TuningInfo& tuning = g_Tuning[t];
    tuning.Name = ini.GetString(kTuning, Key("(%d)Name", t).c_str(), d.name);
    for (int s = 0; s < kStringCount; ++s) {
      tuning.NoteName[0][s] = ini.GetString(kTuning, Key("(%d)Note(%d)", t, s).c_str(), d.notes[s]);
    }
    for (int p = 0; p < 2; ++p) {
      for (int s = 0; s < kStringCount; ++s) {
        tuning.Pedal[p][s] =
            ReadInt(ini, kTuning, Key("(%d)Pedal(%d)(%d)", t, p, s), d.pedal[p][s], -1, 1);
      }
    }
  }
  for (int n = 0; n < kNeckCount; ++n) {
    for (const NeckField& f : kNeckFields) {
      g_Neck[n].*f.field = ReadInt(ini, kNeckInfo, NeckKey(n, f.key), f.def[n], f.lo, f.hi);
    }
  }
  g_ReverbTime = ReadInt(ini, kMidi, "ReverbTime", 10, 0, 10);
  g_ChorusLevel = ReadInt(ini, kMidi, "ChorusLevel", 0, 0, 10);
  for (int p = 0; p < kProgramCount; ++p) {
    bool vib = HasDefaultVibrato(p);
    g_Vibrato[p].Depth = ReadInt(ini, kVibrato, Key("(%d)Depth", p), vib ? kVibratoDepth : 0, 0, 127);
    g_Vibrato[p].Rate = ReadInt(ini, kVibrato, Key("(%d)Rate", p), vib ? kVibratoRate : 0, 0, 127);
    g_Vibrato[p].Delay = ReadInt(ini, kVibrato, Key("(%d)Delay", p), vib ? kVibratoDelay : 0, 0, 127);
  }
}

void ApplyDefaultSettings() {
  std::string saved = g_SettingsPath;
  g_SettingsPath = "";  // an empty path reads as an empty file
  LoadSettings();
  g_SettingsPath = saved;
}

bool SaveSettings(std::string* error) {
  ProfileFile ini(g_SettingsPath);
  ini.WriteString(kInitial, "MidiOutDeviceName", g_MidiOutDeviceName);
  for (int t = 0; t < kTuningCount; ++t) {
    const TuningInfo& tuning = g_Tuning[t];
    ini.WriteString(kTuning, Key("(%d)Name", t).c_str(), tuning.Name);
    for (int s = 0; s < kStringCount; ++s) {
      ini.WriteString(kTuning, Key("(%d)Note(%d)", t, s).c_str(), tuning.NoteName[0][s]);
      for (int p = 0; p < 2; ++p) {
        ini.WriteInt(kTuning, Key("(%d)Pedal(%d)(%d)", t, p, s).c_str(), tuning.Pedal[p][s]);
      }
    }
  }
  for (int n = 0; n < kNeckCount; ++n) {
    for (const NeckField& f : kNeckFields) {
      ini.WriteInt(kNeckInfo, NeckKey(n, f.key).c_str(), g_Neck[n].*f.field);
    }
  }
  ini.WriteInt(kMidi, "ReverbTime", g_ReverbTime);
  ini.WriteInt(kMidi, "ChorusLevel", g_ChorusLevel);
  for (int p = 0; p < kProgramCount; ++p) {
    ini.WriteInt(kVibrato, Key("(%d)Depth", p).c_str(), g_Vibrato[p].Depth);
    ini.WriteInt(kVibrato, Key("(%d)Rate", p).c_str(), g_Vibrato[p].Rate);
    ini.WriteInt(kVibrato, Key("(%d)Delay", p).c_str(), g_Vibrato[p].Delay);
  }
  return ini.Commit(error);
}

std::string SaveFailureText(const std::string& path, const std::string& reason) {
  return "The settings could not be saved to " + path + ":\n" + reason + ".\nThe changes of this session are lost.";
}
