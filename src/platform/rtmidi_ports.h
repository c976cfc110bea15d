// The system's MIDI output ports through RtMidi: ALSA sequencer ports first,
// then JACK MIDI inputs. A backend that is missing (no sequencer, no JACK
// server) lists nothing; no library exception or message leaves this file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RtMidiPorts {
 public:
  RtMidiPorts();
  ~RtMidiPorts();
  RtMidiPorts(const RtMidiPorts&) = delete;
  RtMidiPorts& operator=(const RtMidiPorts&) = delete;

  // Looks the ports up again and returns their listed names in order.
  const std::vector<std::string>& Refresh();
  const std::vector<std::string>& names() const;

  // Opens the listed port index (as of the last Refresh), found again by name
  // in case ports came or went since. 0 on success, else MMSYSERR_ALLOCATED.
  int Open(int index);
  // Sends the bytes of one packed short message (1 to 3 by its status). A
  // port that has vanished loses them.
  void Send(uint32_t packed);
  void Close();
  bool is_open() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> m_Impl;
};

// The name a port is listed and remembered by: an ALSA port's name without the
// " client:port" numbers at its end, which change from run to run (a USB
// device's client number follows the order of plugging in).
std::string ListedPortName(const std::string& full_name);

// Number of bytes a short message with this status occupies on the wire.
int ShortMsgLength(int status);
