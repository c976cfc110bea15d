// The MIDI output of the program on Windows: the multimedia library's output
// devices, with identifier -1 the system's MIDI Mapper (its General MIDI
// synthesizer unless the user chose another device for it).
#pragma once

#include <cstdint>
#include <string>

#include "platform/midi_driver.h"

class WinMmMidiOut : public MidiOutDriver {
 public:
  // The settings path is unused: Windows has no built-in synthesizer to set up.
  explicit WinMmMidiOut(std::string settings_path = "");
  ~WinMmMidiOut() override;
  WinMmMidiOut(const WinMmMidiOut&) = delete;
  WinMmMidiOut& operator=(const WinMmMidiOut&) = delete;

  // The device list of winmm answers at once: nothing to do ahead.
  void ListPortsAhead() {}
  int GetNumDevs() override;
  int GetDevCaps(int id, MidiOutCaps* caps) override;
  int Open(int id) override;
  void ShortMsg(uint32_t packed) override;
  void Reset() override;
  void Close() override;

 private:
  void* m_Handle = nullptr;  // HMIDIOUT
};
