// The exported MIDI file: exact bytes, and the same messages at the same
// times when an independent reader (python3-mido) reads it back.
#include "app/midi_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/run_command.h"
#include "support/temp_dir.h"

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

TEST(MidiFile, MidoReadsTheSameMessagesAtTheSameTimes) {
  std::vector<TimedShortMsg> msgs;
  for (int i = 0; i < 200; ++i) {
    const double t = i * 13.7;
    switch (i % 4) {
      case 0: msgs.push_back({t, Msg(0x90 | (i % 16), 40 + i % 40, 1 + i % 120)}); break;
      case 1: msgs.push_back({t, Msg(0xE0 | (i % 16), i % 128, (i * 3) % 128)}); break;
      case 2: msgs.push_back({t, Msg(0xC0 | (i % 16), i % 128, 0)}); break;
      default: msgs.push_back({t, Msg(0xB0 | (i % 16), 11, i % 128)}); break;
    }
  }
  TempDir dir;
  ASSERT_EQ(WriteMidiFile(dir.File("out.mid"), msgs, 100), 0);
  std::istringstream in(ReadMidiWithMido(dir.File("out.mid")));
  std::string word;
  in >> word;
  ASSERT_EQ(word, "ticks_per_beat") << in.str();
  int tpb = 0;
  in >> tpb;
  EXPECT_EQ(tpb, 480);
  in >> word;
  ASSERT_EQ(word, "tempo");
  int tempo = 0;
  in >> tempo;
  EXPECT_EQ(tempo, 600000);
  for (const TimedShortMsg& m : msgs) {
    double t;
    int status, d1;
    ASSERT_TRUE(in >> t >> status >> d1) << "message missing at " << m.time_ms;
    EXPECT_NEAR(t, m.time_ms, 1.0);
    EXPECT_EQ(status, static_cast<int>(m.packed & 0xFF));
    EXPECT_EQ(d1, static_cast<int>((m.packed >> 8) & 0xFF));
    if ((status & 0xF0) != 0xC0) {
      int d2;
      ASSERT_TRUE(in >> d2);
      EXPECT_EQ(d2, static_cast<int>((m.packed >> 16) & 0xFF));
    }
  }
  EXPECT_FALSE(in >> word) << "extra output: " << word;
}

}  // namespace
