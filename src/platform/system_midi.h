// The MIDI output of the running program: the "MIDI Mapper" (identifier -1) is
// the built-in synthesizer playing through the system's audio, identifiers
// 0..n-1 are the system's MIDI ports (ALSA, then JACK).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/midi_driver.h"

class BuiltinSynth;
class RtMidiPorts;

class SystemMidiOut : public MidiOutDriver {
 public:
  // The settings file may name the SoundFont (section "Synth", key "SoundFont").
  explicit SystemMidiOut(std::string settings_path);
  ~SystemMidiOut() override;

  // Starts looking the ports up on a thread of its own, for the next
  // GetNumDevs (within a second) to take: the start goes on meanwhile.
  void ListPortsAhead();
  // Looks the ports up again on every call, as the device list is built.
  int GetNumDevs() override;
  int GetDevCaps(int id, MidiOutCaps* caps) override;
  // The mapper fails with MMSYSERR_ALLOCATED, like a busy device, when there
  // is no audio output or no SoundFont.
  int Open(int id) override;
  void ShortMsg(uint32_t packed) override;
  void Reset() override;
  void Close() override;
  PortState State() override;
  void Resume() override;

  // The synthesizer, while the mapper has been opened once (for tests).
  BuiltinSynth* synth() { return m_Synth.get(); }

 private:
  int OpenMapper();

  std::string m_SettingsPath;
  std::unique_ptr<BuiltinSynth> m_Synth;
  std::unique_ptr<RtMidiPorts> m_Ports;
  int m_Open = kNothingOpen;
  static constexpr int kNothingOpen = -2;
};
