// The operating system's MIDI output, as the port relies on it: devices listed
// by product name, one opened at a time, packed short messages, reset, close.
// Identifier -1 is the "MIDI Mapper" (here the built-in synthesizer).
#pragma once

#include <cstdint>

struct MidiOutCaps {
  uint16_t wMid;
  uint16_t wPid;
  uint32_t vDriverVersion;
  char szPname[32];  // product name, zero-terminated
  uint16_t wTechnology;
  uint16_t wVoices;
  uint16_t wNotes;
  uint16_t wChannelMask;
  uint32_t dwSupport;
};

inline constexpr int MMSYSERR_NOERROR = 0;
inline constexpr int MMSYSERR_ERROR = 1;
inline constexpr int MMSYSERR_BADDEVICEID = 2;
inline constexpr int MMSYSERR_ALLOCATED = 4;  // the device is busy

// How the open port stands, as the interface thread can ask at any time
// without waiting.
enum class PortState {
  kOpen,  // messages go out
  kGone,  // the port or its server has vanished: messages are lost
  kBack,  // a port of the same name is there again and connected; messages are
          // lost until Resume, so that the caller's reset goes out first
};

class MidiOutDriver {
 public:
  virtual ~MidiOutDriver() = default;
  // Number of system output devices, identifiers 0..n-1 (the mapper not counted).
  virtual int GetNumDevs() = 0;
  virtual int GetDevCaps(int id, MidiOutCaps* caps) = 0;  // 0 on success
  // Opens a device (closing nothing: the caller closes first). 0 on success.
  virtual int Open(int id) = 0;
  // Sends status | data1 << 8 | data2 << 16; lost when nothing is open.
  virtual void ShortMsg(uint32_t packed) = 0;
  // Turns every sounding note off on the open device.
  virtual void Reset() = 0;
  virtual void Close() = 0;
  // A port that can vanish is watched from then on, and opened again when a
  // port of its name comes back.
  virtual PortState State() { return PortState::kOpen; }
  // After kBack: messages go out again.
  virtual void Resume() {}
};
