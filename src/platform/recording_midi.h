// A MIDI output that keeps what it is sent, for tests and headless runs: every
// short message with the clock's time, and every open, reset and close. It can
// pretend to have system devices, some of them busy.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/midi_driver.h"

struct RecordedMidi {
  enum Kind { kOpen, kShort, kReset, kClose };
  Kind kind;
  int64_t time_ms;  // g_Platform.timers->NowMs(), 0 without a timer service
  uint32_t packed;  // the short message, for kShort
  int device;       // the device open (or being opened)
};

class RecordingMidiOut : public MidiOutDriver {
 public:
  // The fake system devices 0..n-1 by product name; the mapper always exists.
  void SetDevices(std::vector<std::string> names) { m_Names = std::move(names); }
  // A busy device (the mapper is -1) refuses to open with MMSYSERR_ALLOCATED.
  void SetBusy(int id, bool busy);

  int GetNumDevs() override;
  int GetDevCaps(int id, MidiOutCaps* caps) override;
  int Open(int id) override;
  void ShortMsg(uint32_t packed) override;
  void Reset() override;
  void Close() override;
  // The open port vanishing (kGone) and coming back (kBack), as a system port
  // does; sends are lost until Resume.
  void SetState(PortState state) { m_State = state; }
  PortState State() override { return m_State; }
  void Resume() override { m_State = PortState::kOpen; }

  const std::vector<RecordedMidi>& Log() const { return m_Log; }
  // Only the short messages, as packed words, in the order sent.
  std::vector<uint32_t> ShortMessages() const;
  void Clear() { m_Log.clear(); }

  bool is_open() const { return m_Open; }
  int device() const { return m_Device; }
  int lost_messages() const { return m_Lost; }  // sent while nothing was open

 private:
  void Record(RecordedMidi::Kind kind, uint32_t packed);

  std::vector<std::string> m_Names;
  std::set<int> m_Busy;
  std::vector<RecordedMidi> m_Log;
  bool m_Open = false;
  PortState m_State = PortState::kOpen;
  int m_Device = -1;
  int m_Lost = 0;
};
