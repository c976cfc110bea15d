#include "platform/system_midi.h"

#include <cstring>

#include "platform/builtin_synth.h"
#include "platform/rtmidi_ports.h"
#include "platform/live_synth.h"

namespace {

constexpr int kLiveSampleRate = 48000;  // Hz
constexpr uint16_t kModMidiPort = 1;    // technology of an output port
constexpr uint16_t kAllChannels = 0xFFFF;
constexpr int kChannels = 16;
// What a port reset sends on every channel: sustain off, then all notes off.
constexpr uint32_t kSustainOff = 0x0040B0;
constexpr uint32_t kAllNotesOff = 0x007BB0;

}  // namespace

SystemMidiOut::SystemMidiOut(std::string settings_path)
    : m_SettingsPath(std::move(settings_path)), m_Ports(std::make_unique<RtMidiPorts>()) {}

SystemMidiOut::~SystemMidiOut() { Close(); }

void SystemMidiOut::ListPortsAhead() { m_Ports->ListAhead(); }

int SystemMidiOut::GetNumDevs() { return static_cast<int>(m_Ports->Refresh().size()); }

int SystemMidiOut::GetDevCaps(int id, MidiOutCaps* caps) {
  const std::vector<std::string>& names = m_Ports->names();
  if (!caps || id < 0 || id >= static_cast<int>(names.size())) return MMSYSERR_BADDEVICEID;
  *caps = MidiOutCaps{};
  std::strncpy(caps->szPname, names[id].c_str(), sizeof caps->szPname - 1);
  caps->wTechnology = kModMidiPort;
  caps->wChannelMask = kAllChannels;
  return MMSYSERR_NOERROR;
}

int SystemMidiOut::Open(int id) {
  if (m_Open != kNothingOpen) return MMSYSERR_ALLOCATED;
  const int result = id == -1 ? OpenMapper() : m_Ports->Open(id);
  if (result == MMSYSERR_NOERROR) m_Open = id;
  return result;
}

int SystemMidiOut::OpenMapper() {
  if (!m_Synth) {
    m_Synth = OpenLiveSynth(m_SettingsPath, kLiveSampleRate);
    return m_Synth ? MMSYSERR_NOERROR : MMSYSERR_ALLOCATED;
  }
  return RestartLiveAudio(*m_Synth, m_SettingsPath) == 0 ? MMSYSERR_NOERROR : MMSYSERR_ALLOCATED;
}

void SystemMidiOut::ShortMsg(uint32_t packed) {
  if (m_Open == -1) {
    m_Synth->ShortMsg(packed);
  } else if (m_Open >= 0) {
    m_Ports->Send(packed);
  }
}

void SystemMidiOut::Reset() {
  if (m_Open == -1) {
    m_Synth->Reset();
  } else if (m_Open >= 0) {
    for (uint32_t ch = 0; ch < kChannels; ++ch) {
      m_Ports->Send(kSustainOff | ch);
      m_Ports->Send(kAllNotesOff | ch);
    }
  }
}

void SystemMidiOut::Close() {
  if (m_Open == -1) {
    // The SoundFont stays loaded for the next open; the audio output is let go.
    m_Synth->StopAudio();
  } else if (m_Open >= 0) {
    m_Ports->Close();
  }
  m_Open = kNothingOpen;
}

PortState SystemMidiOut::State() { return m_Open >= 0 ? m_Ports->State() : PortState::kOpen; }

void SystemMidiOut::Resume() {
  if (m_Open >= 0) m_Ports->Resume();
}
