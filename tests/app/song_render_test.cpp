// The sound of a song: rendered offline through the built-in synthesizer, its
// notes have the pitches of equal temperament, and the exported MIDI file
// reads back (independently) with the same messages at the same times.
#include "app/song_render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/midi_file.h"
#include "app/song_performance.h"
#include "app/wav_file.h"
#include "song/autoplay.h"
#include "support/pitch.h"
#include "support/pitch_song.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kTestFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class SongRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override { std::filesystem::current_path(old_); }
  TempDir dir_;
  std::filesystem::path old_;
};

TEST_F(SongRenderTest, PlainSlidAndPedalledNotesSoundInTune) {
  if (!std::filesystem::exists(kTestFont)) GTEST_SKIP() << "no " << kTestFont;
  dir_.Write("pitch.txt", PitchSong());
  SongPerformance p;
  ASSERT_EQ(PerformSong(dir_.File("pitch.txt"), false, &p), 0);
  const std::vector<int16_t> samples =
      RenderOffline(PerformanceMessages(p), kTestFont, kSongRenderRate, kSongRenderTailMs);
  ASSERT_FALSE(samples.empty());
  // 8 s of song and the tail.
  EXPECT_NEAR(samples.size() / 2.0 / kSongRenderRate, 10.0, 0.1);

  const auto& notes = kPitchSongNotes;
  double measured[3];
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(notes[i].what);
    measured[i] = EstimatePitchHz(MonoSlice(samples, kSongRenderRate, notes[i].from, notes[i].to), kSongRenderRate,
                                  EqualTempered(notes[i].note - 1), EqualTempered(notes[i].note + 1));
    const double cents = Cents(measured[i], EqualTempered(notes[i].note));
    EXPECT_NEAR(cents, 0.0, 4.0);
    std::printf("%s: %.2f cents off equal temperament\n", notes[i].what, cents);
  }
  EXPECT_NEAR(Cents(measured[1], measured[0]), 200.0, 1.5);
  EXPECT_NEAR(Cents(measured[2], measured[0]), 100.0, 1.5);
}

TEST_F(SongRenderTest, AListenerHearsTheSongWhileItPlaysAndTheSameAsCollected) {
  dir_.Write("song.txt", PitchSong());
  SongPerformance collected;
  ASSERT_EQ(PerformSong(dir_.File("song.txt"), true, &collected), 0);
  SongPerformance heard;
  std::vector<HeadlessEvent> events;
  int batches_while_playing = 0;
  ASSERT_EQ(PerformSong(dir_.File("song.txt"), true, &heard,
                        [&](const std::vector<HeadlessEvent>& batch) {
                          EXPECT_EQ(heard.dropMs, collected.dropMs);
                          if (g_bAutoPlay != 0) ++batches_while_playing;
                          events.insert(events.end(), batch.begin(), batch.end());
                        }),
            0);
  EXPECT_TRUE(heard.events.empty()) << "a listener's events are not kept as well";
  // The 7.5 s song is heard each second that sends something, not all at its end.
  EXPECT_GE(batches_while_playing, 4);
  ASSERT_EQ(events.size(), collected.events.size());
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(FormatHeadlessEvent(events[i], heard.dropMs), FormatHeadlessEvent(collected.events[i], collected.dropMs))
        << "event " << i;
  }
}

TEST_F(SongRenderTest, TheExportedFileReadsBackTheSameAndFluidSynthPlaysIt) {
  dir_.Write("song.txt", PitchSong());
  SongPerformance p;
  ASSERT_EQ(PerformSong(dir_.File("song.txt"), false, &p), 0);
  std::vector<TimedShortMsg> sent;
  for (const TimedShortMsg& m : PerformanceMessages(p))
    if ((m.packed & 0xFF) < 0xF0) sent.push_back(m);  // Start and Stop stay out of a file
  ASSERT_EQ(WriteMidiFile(dir_.File("song.mid"), PerformanceMessages(p), p.tempo), 0);

  std::istringstream in(ReadMidiWithMido(dir_.File("song.mid")));
  std::string word;
  int value;
  in >> word >> value;
  ASSERT_EQ(word, "ticks_per_beat");
  EXPECT_EQ(value, 480);
  in >> word >> value;
  ASSERT_EQ(word, "tempo");
  EXPECT_EQ(value, 1000000);  // 60 beats a minute
  size_t count = 0;
  for (const TimedShortMsg& m : sent) {
    double t;
    int status, d1, d2 = 0;
    ASSERT_TRUE(in >> t >> status >> d1) << "message " << count << " missing";
    if ((status & 0xF0) != 0xC0) in >> d2;
    EXPECT_NEAR(t, m.time_ms, 1.0) << "message " << count;
    EXPECT_EQ(static_cast<uint32_t>(status | d1 << 8 | d2 << 16), m.packed) << "message " << count;
    ++count;
  }
  EXPECT_FALSE(in >> word) << "extra message in the file";
  EXPECT_GT(count, 500u);

  if (!std::filesystem::exists(kTestFont)) GTEST_SKIP() << "no " << kTestFont;
  RunCommand("fluidsynth -ni -q -F " + dir_.File("fs.wav") + " -r 44100 " + kTestFont + " " +
      dir_.File("song.mid") + " 2>&1");
  const std::string wav = dir_.Read("fs.wav");
  ASSERT_GT(wav.size(), 44u + 44100u * 4u * 7u) << "FluidSynth rendered less than the song";
  // Not silence: some sample well above the noise floor.
  int peak = 0;
  for (size_t i = 44; i + 1 < wav.size(); i += 2)
    peak = std::max(peak, std::abs(static_cast<int16_t>(static_cast<uint8_t>(wav[i]) |
                                                        static_cast<uint8_t>(wav[i + 1]) << 8)));
  EXPECT_GT(peak, 1000);
}

}  // namespace
