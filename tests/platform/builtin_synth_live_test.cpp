// The built-in synthesizer as it plays live: the SoundFont loads on a thread
// of its own while the program starts, the output stays silent meanwhile, and
// what was played before it was ready is played after, without late bursts
// and without a hung note.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>
#include <vector>

#include "platform/builtin_synth.h"
#include "support/pitch.h"

namespace {

const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kRate = 48000;
constexpr int kBuffer = 256;  // frames
constexpr double kG4 = 391.995;
constexpr double kAudible = 1e-3;  // full scale 1.0: -60 dB

// Renders as the audio output would, mono, for the given time.
std::vector<double> Listen(BuiltinSynth& synth, double seconds) {
  std::vector<double> mono;
  float left[kBuffer], right[kBuffer];
  for (int done = 0; done < seconds * kRate; done += kBuffer) {
    synth.RenderLive(left, right, kBuffer);
    for (int i = 0; i < kBuffer; ++i) mono.push_back(0.5 * (left[i] + right[i]));
  }
  return mono;
}

double Peak(const std::vector<double>& x) {
  double peak = 0;
  for (double v : x) peak = std::max(peak, std::fabs(v));
  return peak;
}

// A synthesizer whose SoundFont load waits until Release().
class HeldLoad {
 public:
  HeldLoad() : m_Synth(BuiltinSynth::Create("", kRate)) {
    std::shared_future<void> go = m_Go.get_future().share();
    m_Synth->LoadSoundFontInBackground(kSoundFont, [go] { go.wait(); });
  }
  void Release() {
    m_Go.set_value();
    m_Synth->WaitForSoundFont();
  }
  BuiltinSynth& synth() { return *m_Synth; }

 private:
  std::promise<void> m_Go;
  std::unique_ptr<BuiltinSynth> m_Synth;
};

TEST(BuiltinSynthLiveTest, WhatIsPlayedWhileTheSoundFontLoadsIsPlayedAfterWithoutFinishedNotes) {
  HeldLoad load;
  BuiltinSynth& synth = load.synth();
  EXPECT_TRUE(synth.soundfont_loading());
  synth.ShortMsg(0x001AC0);  // program 26 on channel 0
  synth.ShortMsg(0x644890);  // note 72 on and off again: finished before the sounds came
  synth.ShortMsg(0x7F4880);
  synth.ShortMsg(0x644390);  // note 67, still held
  EXPECT_EQ(Peak(Listen(synth, 0.2)), 0.0);  // nothing sounds while loading

  load.Release();
  EXPECT_FALSE(synth.soundfont_loading());
  EXPECT_NE(synth.ChannelPresetName(0).find("Jazz"), std::string::npos) << synth.ChannelPresetName(0);
  const std::vector<double> held = Listen(synth, 0.6);
  // Only the held G4 sounds: a late C5 would pull the pitch away.
  const std::vector<double> steady(held.begin() + kRate / 5, held.end());
  EXPECT_NEAR(Cents(EstimatePitchHz(steady, kRate, 300, 500), kG4), 0.0, 5.0);

  synth.ShortMsg(0x7F4380);  // its end comes as usual
  const std::vector<double> after = Listen(synth, 2.0);
  EXPECT_LT(Peak(std::vector<double>(after.end() - kRate / 2, after.end())), kAudible);
}

TEST(BuiltinSynthLiveTest, AResetWhileLoadingEndsTheNotesWaiting) {
  HeldLoad load;
  BuiltinSynth& synth = load.synth();
  synth.ShortMsg(0x644390);
  synth.ShortMsg(0x644591);
  synth.Reset();
  load.Release();
  EXPECT_LT(Peak(Listen(synth, 0.5)), kAudible);
}

TEST(BuiltinSynthLiveTest, MessagesAfterTheLoadSoundAtOnce) {
  HeldLoad load;
  BuiltinSynth& synth = load.synth();
  load.Release();
  synth.ShortMsg(0x644390);
  const std::vector<double> sound = Listen(synth, 0.1);
  // Heard within the first buffers.
  EXPECT_GT(Peak(std::vector<double>(sound.begin(), sound.begin() + 4 * kBuffer)), kAudible);
}

TEST(BuiltinSynthLiveTest, ASilentSynthesizerRestsAndWakesForTheNextNote) {
  HeldLoad load;
  BuiltinSynth& synth = load.synth();
  load.Release();
  synth.ShortMsg(0x644390);
  Listen(synth, 0.3);
  synth.ShortMsg(0x7F4380);
  // The release and the quiet half second after it, then exact zeros.
  const std::vector<double> tail = Listen(synth, 4.0);
  EXPECT_EQ(Peak(std::vector<double>(tail.end() - kRate / 2, tail.end())), 0.0);
  synth.ShortMsg(0x644390);
  EXPECT_GT(Peak(Listen(synth, 0.1)), kAudible);
}

}  // namespace
