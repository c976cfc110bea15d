#include "platform/recording_midi.h"

#include <cstring>

#include "platform/platform.h"
#include "platform/timer_service.h"

namespace {
constexpr uint16_t kModMidiPort = 1;  // technology: an output port
constexpr uint16_t kAllChannels = 0xFFFF;
}  // namespace

void RecordingMidiOut::SetBusy(int id, bool busy) {
  if (busy) {
    busy_.insert(id);
  } else {
    busy_.erase(id);
  }
}

int RecordingMidiOut::GetNumDevs() { return static_cast<int>(names_.size()); }

int RecordingMidiOut::GetDevCaps(int id, MidiOutCaps* caps) {
  if (!caps || id < 0 || id >= GetNumDevs()) return MMSYSERR_BADDEVICEID;
  *caps = MidiOutCaps{};
  std::strncpy(caps->szPname, names_[id].c_str(), sizeof caps->szPname - 1);
  caps->wTechnology = kModMidiPort;
  caps->wChannelMask = kAllChannels;
  return MMSYSERR_NOERROR;
}

int RecordingMidiOut::Open(int id) {
  if (id < -1 || id >= GetNumDevs()) return MMSYSERR_BADDEVICEID;
  if (busy_.count(id) || open_) return MMSYSERR_ALLOCATED;
  open_ = true;
  device_ = id;
  Record(RecordedMidi::kOpen, 0);
  return MMSYSERR_NOERROR;
}

void RecordingMidiOut::ShortMsg(uint32_t packed) {
  if (!open_) {
    ++lost_;
    return;
  }
  Record(RecordedMidi::kShort, packed);
}

void RecordingMidiOut::Reset() {
  if (open_) Record(RecordedMidi::kReset, 0);
}

void RecordingMidiOut::Close() {
  if (!open_) return;
  Record(RecordedMidi::kClose, 0);
  open_ = false;
}

std::vector<uint32_t> RecordingMidiOut::ShortMessages() const {
  std::vector<uint32_t> out;
  for (const RecordedMidi& r : log_) {
    if (r.kind == RecordedMidi::kShort) out.push_back(r.packed);
  }
  return out;
}

void RecordingMidiOut::Record(RecordedMidi::Kind kind, uint32_t packed) {
  const int64_t now = g_Platform.timers ? g_Platform.timers->NowMs() : 0;
  log_.push_back(RecordedMidi{kind, now, packed, device_});
}
