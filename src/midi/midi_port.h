// The one MIDI output port: the device table (the mapper first), opening the
// configured device with fallback to the mapper, short messages, close.
#pragma once

#include <cstdint>

#include "platform/midi_driver.h"

inline constexpr int kMidiMapperId = -1;
inline constexpr int kMaxMidiOutDevices = 13;  // identifiers 0..12
inline constexpr int kMidiOutTableSize = kMaxMidiOutDevices + 1;
inline constexpr const char* kMidiMapperName = "MIDI Mapper";
inline constexpr const char* kNoDeviceName = "none";

// The driver the port is open on; valid while g_bMidiOutOpen is 1.
extern MidiOutDriver* g_hMidiOut;
extern int32_t g_bMidiOutOpen;
// Device open now; -1 is the mapper and is also set after a failed open.
extern int32_t g_MidiOutDevice;
// Entry k describes identifier k - 1: entry 0 is the mapper.
extern MidiOutCaps g_MidiOutCaps[kMidiOutTableSize];

// Start-up: fills the table and opens g_MidiOutDeviceName, else the mapper;
// when both fail the port stays closed and nothing is said.
void EnumerateAndOpen();
// Opens identifier id (-1 the mapper) and sends the full channel reset.
// 0 on success, otherwise the driver's error code (MMSYSERR_...).
int OpenDevice(int id);
// Resets and closes the port if it is open; g_MidiOutDevice keeps its value.
void CloseDevice();
// One short message; a note-off always goes out with velocity 127. Lost while
// the port is closed.
void SendShort(int status, int data1, int data2);
// Product name of identifier id (-1..12).
const char* DeviceName(int id);

// Program exit: reset and close, so that no note keeps sounding on an external
// synthesizer after the program has ended.
void ReleaseMidiPort();

// Back to program start: port closed, table empty.
void ResetMidiState();
