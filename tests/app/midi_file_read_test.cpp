// Reading Standard MIDI Files back: the files this program writes, and the
// forms other programs write (running status, several tracks, tempo changes,
// SMPTE time), with a clear reason for what cannot be read.
#include "app/midi_file_read.h"

#include <gtest/gtest.h>

#include "app/midi_file.h"

namespace {

uint32_t Msg(int status, int d1, int d2) {
  return static_cast<uint32_t>(status) | static_cast<uint32_t>(d1) << 8 | static_cast<uint32_t>(d2) << 16;
}

std::vector<uint8_t> Header(int format, int tracks, int division) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<uint8_t>(format), 0, static_cast<uint8_t>(tracks),
          static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division & 0xFF)};
}

void AddTrack(std::vector<uint8_t>& file, const std::vector<uint8_t>& body) {
  file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, static_cast<uint8_t>(body.size() >> 8),
                           static_cast<uint8_t>(body.size() & 0xFF)});
  file.insert(file.end(), body.begin(), body.end());
}

TEST(MidiFileRead, ATakeFileReadsBackToTheMillisecond) {
  const std::vector<TimedShortMsg> sent = {
      {0, Msg(0xB0, 121, 0)}, {0, Msg(0xC0, 25, 0)}, {0, Msg(0x90, 60, 120)},
      {1, Msg(0xE0, 0, 65)},  {997, Msg(0x80, 60, 127)}, {3600000, Msg(0x91, 64, 77)}};
  std::vector<TimedShortMsg> read;
  std::string error;
  ASSERT_EQ(ParseMidiFile(BuildMidiFile(sent, kTakeTempoBpm, kTakeTicksPerQuarter), &read, &error), 0) << error;
  ASSERT_EQ(read.size(), sent.size());
  for (size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(read[i].time_ms, sent[i].time_ms) << i;
    EXPECT_EQ(read[i].packed, sent[i].packed) << i;
  }
}

TEST(MidiFileRead, RunningStatusTracksAndTempoChangesOfOtherWriters) {
  // Format 1, 96 ticks a quarter. Track 0: tempo 120, after a quarter tempo 60.
  // Track 1: a note at 0 and with running status at 96 and 192 ticks.
  std::vector<uint8_t> file = Header(1, 2, 96);
  AddTrack(file, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 us
                  0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // 1000000 us at tick 96
                  0x00, 0xFF, 0x2F, 0x00});
  AddTrack(file, {0x00, 0x90, 60, 100,              // tick 0
                  0x60, 62, 100,                    // tick 96, running status
                  0x00, 0xF0, 0x02, 0x41, 0xF7,     // a system-exclusive message, passed over
                  0x60, 60, 0,                      // running status does not outlive it
                  0x00, 0xFF, 0x2F, 0x00});
  std::vector<TimedShortMsg> read;
  std::string error;
  EXPECT_EQ(ParseMidiFile(file, &read, &error), 1);
  EXPECT_EQ(error, "a track has a data byte without a status");

  // The same with the status given again after the system-exclusive message.
  file = Header(1, 2, 96);
  AddTrack(file, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                  0x00, 0xFF, 0x2F, 0x00});
  AddTrack(file, {0x00, 0x90, 60, 100, 0x60, 62, 100, 0x00, 0xF0, 0x02, 0x41, 0xF7, 0x60, 0x90, 60, 0,
                  0x00, 0xC1, 25, 0x00, 26,  // program changes: one data byte, running status
                  0x00, 0xFF, 0x2F, 0x00});
  ASSERT_EQ(ParseMidiFile(file, &read, &error), 0) << error;
  ASSERT_EQ(read.size(), 5u);
  EXPECT_EQ(read[0].time_ms, 0);
  EXPECT_EQ(read[1].time_ms, 500);   // a quarter at 120
  EXPECT_EQ(read[2].time_ms, 1500);  // then a quarter at 60
  EXPECT_EQ(read[2].packed, Msg(0x90, 60, 0));
  EXPECT_EQ(read[3].packed, Msg(0xC1, 25, 0));
  EXPECT_EQ(read[4].packed, Msg(0xC1, 26, 0));
}

TEST(MidiFileRead, SmpteTimeCountsFramesAndTicks) {
  // 25 frames a second, 40 ticks a frame: a tick is a millisecond.
  std::vector<uint8_t> file = Header(0, 1, 0xE728);
  AddTrack(file, {0x00, 0x90, 60, 100, 0x87, 0x68, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
  std::vector<TimedShortMsg> read;
  std::string error;
  ASSERT_EQ(ParseMidiFile(file, &read, &error), 0) << error;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_DOUBLE_EQ(read[1].time_ms, 1000);
}

TEST(MidiFileRead, WhatCannotBeReadSaysWhy) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* error;
  };
  std::vector<uint8_t> cut = Header(0, 1, 96);
  AddTrack(cut, {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00});
  cut.resize(cut.size() - 3);
  std::vector<uint8_t> big_data = Header(0, 1, 96);
  AddTrack(big_data, {0x00, 0x90, 60, 200});
  std::vector<uint8_t> format2 = Header(2, 1, 96);
  std::vector<uint8_t> realtime = Header(0, 1, 96);
  AddTrack(realtime, {0x00, 0xFA});
  const Case cases[] = {
      {"a text file", {'0', '1', '=', '6', '0', '\n', 0, 0, 0, 0, 0, 0, 0, 0}, "not a Standard MIDI File"},
      {"a cut file", cut, "the file ends inside a track"},
      {"a data byte above 127", big_data, "a data byte is above 127"},
      {"format 2", format2, "format 2 (independent patterns) is not played"},
      {"no division", Header(0, 0, 0), "the file gives no time division"},
      {"a real-time byte", realtime, "a track holds a system message"},
  };
  for (const Case& c : cases) {
    std::vector<TimedShortMsg> read;
    std::string error;
    EXPECT_EQ(ParseMidiFile(c.bytes, &read, &error), 1) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
  std::vector<TimedShortMsg> read;
  std::string error;
  EXPECT_EQ(ReadMidiFile("/nonexistent/take.mid", &read, &error), 1);
  EXPECT_EQ(error, "No such file or directory");
}

TEST(MidiFileRead, MidiFilesAreKnownByTheirEnding) {
  EXPECT_TRUE(IsMidiFileName("Takes/2026-12-07_23-05-12.mid"));
  EXPECT_TRUE(IsMidiFileName("song.MID"));
  EXPECT_TRUE(IsMidiFileName("a.midi"));
  EXPECT_FALSE(IsMidiFileName("EditingSong.txt"));
  EXPECT_FALSE(IsMidiFileName(".mid"));
  EXPECT_FALSE(IsMidiFileName("mid"));
}

}  // namespace
