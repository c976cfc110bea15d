#include "platform/win32_midi.h"

#include <cstring>

#include "platform/win32_api.h"

namespace {
HMIDIOUT Handle(void* h) { return static_cast<HMIDIOUT>(h); }
}  // namespace

WinMmMidiOut::WinMmMidiOut(std::string) {}

WinMmMidiOut::~WinMmMidiOut() { Close(); }

int WinMmMidiOut::GetNumDevs() { return static_cast<int>(midiOutGetNumDevs()); }

int WinMmMidiOut::GetDevCaps(int id, MidiOutCaps* caps) {
  if (!caps || id < 0) return MMSYSERR_BADDEVICEID;
  MIDIOUTCAPSA got{};
  const MMRESULT r = midiOutGetDevCapsA(static_cast<UINT_PTR>(id), &got, sizeof got);
  if (r != MMSYSERR_NOERROR) return static_cast<int>(r);
  *caps = MidiOutCaps{};
  caps->wMid = got.wMid;
  caps->wPid = got.wPid;
  caps->vDriverVersion = got.vDriverVersion;
  std::memcpy(caps->szPname, got.szPname, sizeof caps->szPname);
  caps->szPname[sizeof caps->szPname - 1] = '\0';
  caps->wTechnology = got.wTechnology;
  caps->wVoices = got.wVoices;
  caps->wNotes = got.wNotes;
  caps->wChannelMask = got.wChannelMask;
  caps->dwSupport = got.dwSupport;
  return MMSYSERR_NOERROR;
}

int WinMmMidiOut::Open(int id) {
  if (m_Handle) return MMSYSERR_ALLOCATED;
  HMIDIOUT h = nullptr;
  // -1 is MIDI_MAPPER as the device identifier.
  const UINT device = id == -1 ? MIDI_MAPPER : static_cast<UINT>(id);
  const MMRESULT r = midiOutOpen(&h, device, 0, 0, CALLBACK_NULL);
  if (r != MMSYSERR_NOERROR) return static_cast<int>(r);
  m_Handle = h;
  return MMSYSERR_NOERROR;
}

void WinMmMidiOut::ShortMsg(uint32_t packed) {
  if (m_Handle) midiOutShortMsg(Handle(m_Handle), packed);
}

void WinMmMidiOut::Reset() {
  if (m_Handle) midiOutReset(Handle(m_Handle));
}

void WinMmMidiOut::Close() {
  if (!m_Handle) return;
  midiOutClose(Handle(m_Handle));
  m_Handle = nullptr;
}
