// Installs a recording MIDI output as the platform's driver for one test and
// shows recorded messages as hex text ("B0 79 00") so mismatches read plainly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/recording_midi.h"

class RecordingPortScope {
 public:
  RecordingPortScope() : saved_(g_Platform) { g_Platform.midi = &port_; }
  ~RecordingPortScope() { g_Platform = saved_; }
  RecordingPortScope(const RecordingPortScope&) = delete;
  RecordingPortScope& operator=(const RecordingPortScope&) = delete;

  RecordingMidiOut& port() { return port_; }

 private:
  Platform saved_;
  RecordingMidiOut port_;
};

inline std::string MidiText(uint32_t packed) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X %02X", packed & 0xFF, (packed >> 8) & 0xFF,
                (packed >> 16) & 0xFF);
  return text;
}

inline std::vector<std::string> MidiTexts(const std::vector<uint32_t>& packed) {
  std::vector<std::string> out;
  for (uint32_t p : packed) out.push_back(MidiText(p));
  return out;
}
