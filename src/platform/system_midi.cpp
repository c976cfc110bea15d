#include "platform/system_midi.h"

#include <cstring>

#include "platform/builtin_synth.h"
#include "platform/rtmidi_ports.h"
#include "platform/soundfont.h"

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
    : settings_path_(std::move(settings_path)), ports_(std::make_unique<RtMidiPorts>()) {}

SystemMidiOut::~SystemMidiOut() { Close(); }

int SystemMidiOut::GetNumDevs() { return static_cast<int>(ports_->Refresh().size()); }

int SystemMidiOut::GetDevCaps(int id, MidiOutCaps* caps) {
  const std::vector<std::string>& names = ports_->names();
  if (!caps || id < 0 || id >= static_cast<int>(names.size())) return MMSYSERR_BADDEVICEID;
  *caps = MidiOutCaps{};
  std::strncpy(caps->szPname, names[id].c_str(), sizeof caps->szPname - 1);
  caps->wTechnology = kModMidiPort;
  caps->wChannelMask = kAllChannels;
  return MMSYSERR_NOERROR;
}

int SystemMidiOut::Open(int id) {
  if (open_ != kNothingOpen) return MMSYSERR_ALLOCATED;
  const int result = id == -1 ? OpenMapper() : ports_->Open(id);
  if (result == MMSYSERR_NOERROR) open_ = id;
  return result;
}

int SystemMidiOut::OpenMapper() {
  if (!synth_) {
    // The audio output is tried before the SoundFont is loaded: without sound
    // there is no use reading a hundred megabytes.
    std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create("", kLiveSampleRate);
    if (!synth || synth->StartAudio() != 0) return MMSYSERR_ALLOCATED;
    const std::string soundfont = FindSoundFont(settings_path_);
    if (soundfont.empty() || synth->LoadSoundFont(soundfont) != 0) return MMSYSERR_ALLOCATED;
    synth_ = std::move(synth);
    return MMSYSERR_NOERROR;
  }
  return synth_->StartAudio() == 0 ? MMSYSERR_NOERROR : MMSYSERR_ALLOCATED;
}

void SystemMidiOut::ShortMsg(uint32_t packed) {
  if (open_ == -1) {
    synth_->ShortMsg(packed);
  } else if (open_ >= 0) {
    ports_->Send(packed);
  }
}

void SystemMidiOut::Reset() {
  if (open_ == -1) {
    synth_->Reset();
  } else if (open_ >= 0) {
    for (uint32_t ch = 0; ch < kChannels; ++ch) {
      ports_->Send(kSustainOff | ch);
      ports_->Send(kAllNotesOff | ch);
    }
  }
}

void SystemMidiOut::Close() {
  if (open_ == -1) {
    // The SoundFont stays loaded for the next open; the audio output is let go.
    synth_->StopAudio();
  } else if (open_ >= 0) {
    ports_->Close();
  }
  open_ = kNothingOpen;
}
