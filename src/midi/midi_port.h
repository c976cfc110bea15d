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
// 1 while the open device has vanished (its port or its server went away):
// g_bMidiOutOpen is 0 meanwhile, and the device is opened again by
// WatchMidiPort when a port of its name comes back.
extern int32_t g_bMidiOutGone;
// Device open now; -1 is the mapper and is also set after a failed open.
extern int32_t g_MidiOutDevice;
// Entry k describes identifier k - 1: entry 0 is the mapper.
extern MidiOutCaps g_MidiOutCaps[kMidiOutTableSize];

// Start-up: fills the table and opens g_MidiOutDeviceName, else the mapper;
// when both fail the port stays closed and nothing is said.
void EnumerateAndOpen();
// Builds the device table anew from the ports present now; the open device
// keeps its row by name (a device that has gone keeps a row of its own).
void RefreshDeviceTable();
// Opens identifier id (-1 the mapper) and sends the full channel reset.
// 0 on success, otherwise the driver's error code (MMSYSERR_...).
int OpenDevice(int id);
// Resets and closes the port if it is open or gone; g_MidiOutDevice keeps its value.
void CloseDevice();
// One short message; a note-off always goes out with velocity 127. Lost while
// the port is closed.
void SendShort(int status, int data1, int data2);
// Product name of identifier id (-1..12).
const char* DeviceName(int id);

// Called by the interface thread at every idle pass; asks the driver without
// waiting. The open device vanishing makes it gone (sends are lost); when it is
// back, the port opens again with the full channel reset, and the next note
// sends the neck's voices anew. True when either happened (the caller shows it).
bool WatchMidiPort();

// Program exit: reset and close, so that no note keeps sounding on an external
// synthesizer after the program has ended.
void ReleaseMidiPort();

// Back to program start: port closed, table empty.
void ResetMidiState();
