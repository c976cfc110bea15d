// The exported MIDI file: exact bytes, and times that do not drift. (A song's
// file read back by an independent reader is in song_render_test.)
#include "app/midi_file.h"

#include <gtest/gtest.h>

namespace {

uint32_t Msg(int status, int d1, int d2) {
  return static_cast<uint32_t>(status) | static_cast<uint32_t>(d1) << 8 |
         static_cast<uint32_t>(d2) << 16;
}

TEST(MidiFile, HeaderTempoEventsAndEndAreExactBytes) {
  // Tempo 120: 500000 us a quarter, 480 ticks a quarter, so 1 ms is 0.96 ticks.
  const std::vector<TimedShortMsg> msgs = {
      {0, Msg(0xC0, 26, 0)},       // program change: one data byte
      {0, Msg(0x90, 64, 100)},
      {0, Msg(0xFA, 0, 0)},        // MIDI Start is left out of a file
      {500, Msg(0x80, 64, 127)},   // 480 ticks later
      {1000, Msg(0xE1, 0, 64)},    // 480 more
  };
  const std::vector<uint8_t> expected = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,  //
      'M', 'T', 'r', 'k', 0, 0, 0, 28,                         //
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                // tempo 500000
      0x00, 0xC0, 26,                                          //
      0x00, 0x90, 64, 100,                                     //
      0x83, 0x60, 0x80, 64, 127,                               // delta 480
      0x83, 0x60, 0xE1, 0, 64,                                 //
      0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(BuildMidiFile(msgs, 120), expected);
}

TEST(MidiFile, TicksAreRoundedFromTheExactTimeSoErrorsDoNotAddUp) {
  // At tempo 92 one tick is 1.358 ms; 1000 messages 7 ms apart must still end
  // within half a tick of 6993 ms.
  std::vector<TimedShortMsg> msgs;
  for (int i = 0; i < 1000; ++i) msgs.push_back({i * 7.0, Msg(0xB0, 11, i % 128)});
  const std::vector<uint8_t> bytes = BuildMidiFile(msgs, 92);
  // Sum the deltas of the channel events.
  size_t p = 22 + 7;
  int64_t ticks = 0;
  for (int i = 0; i < 1000; ++i) {
    uint32_t delta = 0;
    while (bytes[p] & 0x80) delta = (delta << 7) | (bytes[p++] & 0x7F);
    delta = (delta << 7) | bytes[p++];
    ticks += delta;
    p += 3;
  }
  const double ms = ticks * (60000000.0 / 92) / 480 / 1000;
  EXPECT_NEAR(ms, 6993.0, 60000.0 / 92 / 480 / 2 + 1e-9);
}

}  // namespace
