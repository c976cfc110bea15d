// The system's MIDI output ports: ALSA sequencer ports (through RtMidi) first,
// then JACK MIDI inputs (through the program's own JACK client). A backend
// that is missing (no sequencer, no JACK server) lists nothing; no library
// exception or message leaves this file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_driver.h"

class RtMidiPorts {
 public:
  RtMidiPorts();
  ~RtMidiPorts();
  RtMidiPorts(const RtMidiPorts&) = delete;
  RtMidiPorts& operator=(const RtMidiPorts&) = delete;

  // Starts looking the ports up on a thread of its own, for the next Refresh
  // to take if it comes soon: the program's start does other work meanwhile.
  void ListAhead();
  // Looks the ports up again and returns their listed names in order.
  const std::vector<std::string>& Refresh();
  const std::vector<std::string>& names() const;

  // Opens the listed port index (as of the last Refresh), found again by name
  // in case ports came or went since. 0 on success, else MMSYSERR_ALLOCATED.
  int Open(int index);
  // Sends the bytes of one packed short message (1 to 3 by its status). A
  // port that has vanished loses them; a send never waits.
  void Send(uint32_t packed);
  void Close();
  bool is_open() const;
  // A JACK port is watched: gone when it or its server vanishes, back when it
  // is there again (see JackMidiOut). An ALSA port always counts as open.
  PortState State() const;
  void Resume();

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
