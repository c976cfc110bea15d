// The program's MIDI output on a JACK server: a client with one output port,
// connected to one MIDI input named by its full name ("client:port"). Sends
// never wait: messages go through a lock-free ring to JACK's process thread.
// A vanished server (its shutdown notice), a vanished receiver (its connection
// dropped) or a ring that stops draining makes the port gone; a watcher thread
// then looks for the server and the port again and connects anew.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/midi_driver.h"

class JackMidiOut {
 public:
  JackMidiOut();
  ~JackMidiOut();
  JackMidiOut(const JackMidiOut&) = delete;
  JackMidiOut& operator=(const JackMidiOut&) = delete;

  // The MIDI inputs of the running server (JACK_DEFAULT_SERVER), in the
  // server's order; none when no server runs. Never starts a server.
  static std::vector<std::string> ListInputs();

  // Connects to the input `target`. 0 on success, else MMSYSERR_ALLOCATED.
  // Messages sent at once are held until the connection carries them.
  int Open(const std::string& target);
  // One message of 1 to 3 bytes; lost unless the port is open.
  void Send(const unsigned char* bytes, int length);
  // Lets the messages sent go out (a bounded wait, none when gone), then
  // disconnects.
  void Close();
  bool is_open() const { return m_Link != nullptr; }

  PortState State() const;
  void Resume();

  struct Link;

 private:
  std::shared_ptr<Link> m_Link;
};
