// The MIDI numbers the system speaks: status bytes, the controllers and the
// parameter numbers of the set-up messages, and the level scaling of the panels.
#pragma once

#include <cstdint>

inline constexpr int kMidiChannelCount = 16;
inline constexpr int kRhythmChannel = 9;  // never carries a string

// Status bytes: message type in the high nibble, channel in the low one.
inline constexpr int kNoteOff = 0x80;
inline constexpr int kNoteOn = 0x90;
inline constexpr int kControlChange = 0xB0;
inline constexpr int kProgramChange = 0xC0;
inline constexpr int kPitchBend = 0xE0;
inline constexpr int kMidiStart = 0xFA;  // system real-time
inline constexpr int kMidiStop = 0xFC;

inline constexpr int kNoteOffVelocity = 127;  // every note-off is released at full speed
inline constexpr int kMaxDataValue = 127;

// Controllers.
inline constexpr int kCcBankMsb = 0;
inline constexpr int kCcModulation = 1;
inline constexpr int kCcDataEntry = 6;
inline constexpr int kCcVolume = 7;
inline constexpr int kCcPan = 10;
inline constexpr int kCcExpression = 11;
inline constexpr int kCcBankLsb = 32;
inline constexpr int kCcModulationLsb = 33;
inline constexpr int kCcVolumeLsb = 39;
inline constexpr int kCcPanLsb = 42;
inline constexpr int kCcExpressionLsb = 43;
inline constexpr int kCcReleaseTime = 72;
inline constexpr int kCcReverbSend = 91;
inline constexpr int kCcChorusSend = 93;
inline constexpr int kCc104 = 104;  // cleared by the reset, meaning left to the synthesizer
inline constexpr int kCcNrpnLsb = 98;
inline constexpr int kCcNrpnMsb = 99;
inline constexpr int kCcRpnLsb = 100;
inline constexpr int kCcRpnMsb = 101;
inline constexpr int kCcResetAllControllers = 121;
inline constexpr int kCcAllNotesOff = 123;

// Registered parameter 0/0 is the pitch-bend sensitivity in semitones; 127/127
// selects no parameter.
inline constexpr int kRpnBendRange = 0;
inline constexpr int kBendRangeSemitones = 24;
inline constexpr int kParameterNull = 127;

// Non-registered parameters of the vibrato (MSB 1), data 64 = the sound's own.
inline constexpr int kNrpnVibratoMsb = 1;
inline constexpr int kNrpnVibratoRate = 8;
inline constexpr int kNrpnVibratoDepth = 9;
inline constexpr int kNrpnVibratoDelay = 10;

inline constexpr int kCentreValue = 64;  // pan centre, modulation and release default

// Panels show volumes and effects as 0..10; the controllers take value * 127 / 10.
inline constexpr int kLevelSteps = 10;
inline int LevelToMidi(int level) { return level * kMaxDataValue / kLevelSteps; }

// status | data1 << 8 | data2 << 16, each as an 8-bit value.
inline uint32_t PackShortMsg(int status, int data1, int data2) {
  return static_cast<uint32_t>(status & 0xFF) | static_cast<uint32_t>(data1 & 0xFF) << 8 |
         static_cast<uint32_t>(data2 & 0xFF) << 16;
}
