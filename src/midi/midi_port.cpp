#include "midi/midi_port.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "midi/channels.h"
#include "midi/midi_codes.h"
#include "midi/take_buffer.h"
#include "model/instrument.h"
#include "platform/platform.h"
#include "platform/timer_service.h"

MidiOutDriver* g_hMidiOut;
int32_t g_bMidiOutOpen;
int32_t g_bMidiOutGone;
int32_t g_MidiOutDevice = kMidiMapperId;
MidiOutCaps g_MidiOutCaps[kMidiOutTableSize];

namespace {

MidiOutCaps& TableEntry(int id) { return g_MidiOutCaps[id + 1]; }

void SetEntryName(int id, const char* name) {
  MidiOutCaps& caps = TableEntry(id);
  caps = MidiOutCaps{};
  std::strncpy(caps.szPname, name, sizeof caps.szPname - 1);
}

// Fills the table from the driver's ports; returns how many it has (the table
// may list fewer).
int FillDeviceTable() {
  SetEntryName(kMidiMapperId, kMidiMapperName);
  for (int id = 0; id < kMaxMidiOutDevices; ++id) SetEntryName(id, kNoDeviceName);
  MidiOutDriver* driver = g_Platform.midi;
  const int count = driver ? driver->GetNumDevs() : 0;
  const int listed = std::clamp(count, 0, kMaxMidiOutDevices);
  for (int id = 0; id < listed; ++id) {
    MidiOutCaps caps{};
    if (driver->GetDevCaps(id, &caps) == MMSYSERR_NOERROR) {
      caps.szPname[sizeof caps.szPname - 1] = '\0';
      TableEntry(id) = caps;
    }
  }
  return count;
}

}  // namespace

void EnumerateAndOpen() {
  const int count = FillDeviceTable();
  const int listed = std::clamp(count, 0, kMaxMidiOutDevices);

  // The mapper is searched first, so "MIDI Mapper" chooses it even when a
  // device happens to carry the same name.
  int chosen = kMidiMapperId;
  if (count > 0) {
    for (int id = kMidiMapperId; id < listed; ++id) {
      if (g_MidiOutDeviceName == TableEntry(id).szPname) {
        chosen = id;
        break;
      }
    }
  }
  if (OpenDevice(chosen) != MMSYSERR_NOERROR && chosen != kMidiMapperId) OpenDevice(kMidiMapperId);
}

int OpenDevice(int id) {
  MidiOutDriver* driver = g_Platform.midi;
  int result = MMSYSERR_ERROR;
  if (driver && id >= kMidiMapperId && id < kMaxMidiOutDevices) result = driver->Open(id);
  if (result != MMSYSERR_NOERROR) {
    g_hMidiOut = nullptr;
    g_MidiOutDevice = kMidiMapperId;
    g_bMidiOutOpen = 0;
    return result;
  }
  g_hMidiOut = driver;
  g_MidiOutDevice = id;
  g_bMidiOutOpen = 1;
  ResetAllChannels();
  return MMSYSERR_NOERROR;
}

void RefreshDeviceTable() {
  if (g_MidiOutDevice == kMidiMapperId) {
    FillDeviceTable();
    return;
  }
  const std::string open = DeviceName(g_MidiOutDevice);
  const int listed = std::clamp(FillDeviceTable(), 0, kMaxMidiOutDevices);
  for (int id = 0; id < listed; ++id) {
    if (open == TableEntry(id).szPname) {
      g_MidiOutDevice = id;
      return;
    }
  }
  // Not there now: it keeps the row after the listed ones (the last row when
  // the list is full), so the player still sees which device is chosen.
  g_MidiOutDevice = std::min(listed, kMaxMidiOutDevices - 1);
  SetEntryName(g_MidiOutDevice, open.c_str());
}

void CloseDevice() {
  if (!g_bMidiOutOpen && !g_bMidiOutGone) return;
  g_hMidiOut->Reset();
  g_hMidiOut->Close();
  g_hMidiOut = nullptr;
  g_bMidiOutOpen = 0;
  g_bMidiOutGone = 0;
}

bool WatchMidiPort() {
  if (g_bMidiOutOpen) {
    if (g_hMidiOut->State() == PortState::kOpen) return false;
    g_bMidiOutOpen = 0;
    g_bMidiOutGone = 1;
    return true;
  }
  if (!g_bMidiOutGone || g_hMidiOut->State() != PortState::kBack) return false;
  g_hMidiOut->Resume();
  g_bMidiOutGone = 0;
  g_bMidiOutOpen = 1;
  ResetAllChannels();
  g_SoundNeck = -1;
  return true;
}

void SendShort(int status, int data1, int data2) {
  if (!g_bMidiOutOpen) return;
  if ((status & 0xF0) == kNoteOff) data2 = kNoteOffVelocity;
  const uint32_t packed = PackShortMsg(status, data1, data2);
  g_hMidiOut->ShortMsg(packed);
  // Kept as it was sent, on the clock the timers go by, so that what was
  // played can be saved afterwards.
  g_TakeBuffer.Add(g_Platform.timers ? g_Platform.timers->NowMs() : 0, packed);
}

const char* DeviceName(int id) {
  if (id < kMidiMapperId || id >= kMaxMidiOutDevices) return kNoDeviceName;
  return TableEntry(id).szPname;
}

void ReleaseMidiPort() { CloseDevice(); }

void ResetMidiState() {
  g_TakeBuffer.Clear();
  g_hMidiOut = nullptr;
  g_bMidiOutOpen = 0;
  g_bMidiOutGone = 0;
  g_MidiOutDevice = kMidiMapperId;
  for (MidiOutCaps& caps : g_MidiOutCaps) caps = MidiOutCaps{};
}
