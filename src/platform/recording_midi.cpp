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
    m_Busy.insert(id);
  } else {
    m_Busy.erase(id);
  }
}

int RecordingMidiOut::GetNumDevs() { return static_cast<int>(m_Names.size()); }

int RecordingMidiOut::GetDevCaps(int id, MidiOutCaps* caps) {
  if (!caps || id < 0 || id >= GetNumDevs()) return MMSYSERR_BADDEVICEID;
  *caps = MidiOutCaps{};
  std::strncpy(caps->szPname, m_Names[id].c_str(), sizeof caps->szPname - 1);
  caps->wTechnology = kModMidiPort;
  caps->wChannelMask = kAllChannels;
  return MMSYSERR_NOERROR;
}

int RecordingMidiOut::Open(int id) {
  if (id < -1 || id >= GetNumDevs()) return MMSYSERR_BADDEVICEID;
  if (m_Busy.count(id) || m_Open) return MMSYSERR_ALLOCATED;
  m_Open = true;
  m_Device = id;
  Record(RecordedMidi::kOpen, 0);
  return MMSYSERR_NOERROR;
}

void RecordingMidiOut::ShortMsg(uint32_t packed) {
  if (!m_Open || m_State != PortState::kOpen) {
    ++m_Lost;
    return;
  }
  Record(RecordedMidi::kShort, packed);
}

void RecordingMidiOut::Reset() {
  if (m_Open) Record(RecordedMidi::kReset, 0);
}

void RecordingMidiOut::Close() {
  m_State = PortState::kOpen;
  if (!m_Open) return;
  Record(RecordedMidi::kClose, 0);
  m_Open = false;
}

std::vector<uint32_t> RecordingMidiOut::ShortMessages() const {
  std::vector<uint32_t> out;
  for (const RecordedMidi& r : m_Log) {
    if (r.kind == RecordedMidi::kShort) out.push_back(r.packed);
  }
  return out;
}

void RecordingMidiOut::Record(RecordedMidi::Kind kind, uint32_t packed) {
  const int64_t now = g_Platform.timers ? g_Platform.timers->NowMs() : 0;
  m_Log.push_back(RecordedMidi{kind, now, packed, m_Device});
}
