// Fuzz target: arbitrary bytes as the settings file, read as at start and
// written back as at exit. Whatever the file held, the values read are in their
// ranges, the saved file reads back the same values, and a second save changes
// nothing. Built with clang, libFuzzer and the address and undefined-behaviour
// sanitizers.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "model/instrument.h"
#include "model/settings.h"

namespace {

std::string g_Dir;

void RemoveFuzzDir() {
  unlink((g_Dir + "/SLD.ini").c_str());
  rmdir(g_Dir.c_str());
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void CheckRanges() {
  for (const NeckInfo& n : g_Neck) {
    Check(n.Tuning >= 0 && n.Tuning < kTuningCount);
    Check(n.Voice0No >= 0 && n.Voice0No <= 127 && n.Voice1No >= 0 && n.Voice1No <= 127);
    Check(n.Volume0 >= 0 && n.Volume0 <= 10 && n.Volume1 >= 0 && n.Volume1 <= 10);
    Check(n.GuideShift >= -8 && n.GuideShift <= 7 && n.MidiShift >= -12 && n.MidiShift <= 12);
  }
  for (const TuningInfo& t : g_Tuning) {
    for (int p = 0; p < 2; ++p) {
      for (int s = 0; s < kStringCount; ++s) Check(t.Pedal[p][s] >= -1 && t.Pedal[p][s] <= 1);
    }
  }
  for (const VibratoInfo& v : g_Vibrato) {
    Check(v.Depth >= 0 && v.Depth <= 127 && v.Rate >= 0 && v.Rate <= 127 && v.Delay >= 0 && v.Delay <= 127);
  }
  Check(g_ReverbTime >= 0 && g_ReverbTime <= 10 && g_ChorusLevel >= 0 && g_ChorusLevel <= 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_Dir.empty()) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/slidora-settings-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) return 0;
    g_Dir = pattern;
    g_SettingsPath = g_Dir + "/SLD.ini";
    std::atexit(RemoveFuzzDir);
  }
  std::FILE* file = std::fopen(g_SettingsPath.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  LoadSettings();
  CheckRanges();
  Check(SaveSettings());
  const std::string first = Read(g_SettingsPath);
  LoadSettings();
  CheckRanges();
  Check(SaveSettings());
  Check(Read(g_SettingsPath) == first);
  return 0;
}
