#include "platform/builtin_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/reset.h"
#include "midi/midi_port.h"
#include "model/settings.h"
#include "platform/synth_render.h"
#include "support/pitch.h"
#include "support/recording_port.h"

namespace {

const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kRate = 48000;
constexpr double kG4 = 391.995;  // note 67

class BuiltinSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kSoundFont)) << "the TimGM6mb SoundFont is not installed";
    ResetAllState();
    ApplyDefaultSettings();
  }
  void TearDown() override { ResetAllState(); }

  // The 510 messages the port sends when it opens, all at time 0.
  std::vector<TimedShortMsg> ResetBurst() {
    RecordingPortScope scope;
    EXPECT_EQ(OpenDevice(-1), 0);
    std::vector<TimedShortMsg> events;
    for (uint32_t m : scope.port().ShortMessages()) events.push_back({0.0, m});
    ResetAllState();
    return events;
  }
  // Jazz guitar on channel 0 after the reset, then the extra messages, then
  // note 67 at 100 ms held to the end.
  std::vector<int16_t> RenderG4(std::vector<TimedShortMsg> extra, double seconds = 1.0) {
    std::vector<TimedShortMsg> events = ResetBurst();
    events.push_back({1.0, 0x001AC0});  // program 26
    for (TimedShortMsg& e : extra) events.push_back(e);
    events.push_back({100.0, 0x7F4390});
    return RenderOffline(events, kSoundFont, kRate, static_cast<int>(seconds * 1000) - 100);
  }
  double PitchOf(const std::vector<int16_t>& sound, double from_s, double to_s) {
    return EstimatePitchHz(MonoSlice(sound, kRate, from_s, to_s), kRate, 300, 500);
  }
};

TEST_F(BuiltinSynthTest, ProgramsAndBanksSelectAsOnAGsSynth) {
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(kSoundFont, kRate);
  ASSERT_TRUE(synth);
  for (const TimedShortMsg& e : ResetBurst()) synth->ShortMsg(e.packed);
  synth->ShortMsg(0x1AC0);  // program 26, bank 0
  const std::string jazz = synth->ChannelPresetName(0);
  EXPECT_NE(jazz.find("Jazz"), std::string::npos) << jazz;
  // Bank 8 has no variation of it in this SoundFont: the GS fallback to the
  // capital tone keeps the jazz guitar; the LSB is ignored.
  synth->ShortMsg(0x0008B1);
  synth->ShortMsg(0x0520B1);
  synth->ShortMsg(0x1AC1);
  EXPECT_EQ(synth->ChannelPresetName(1), jazz);
  synth->ShortMsg(0x19C2);  // 25 steel-string guitar
  EXPECT_NE(synth->ChannelPresetName(2), jazz);
}

TEST_F(BuiltinSynthTest, Note67SoundsG4AndBend8533OneSemitoneHigher) {
  const std::vector<int16_t> plain = RenderG4({});
  const double unbent = PitchOf(plain, 0.4, 0.9);
  EXPECT_NEAR(Cents(unbent, kG4), 0.0, 4.0) << unbent << " Hz";

  const std::vector<int16_t> bent = RenderG4({{2.0, 0x4255E0}});  // 8533: LSB 0x55, MSB 0x42
  const double up = PitchOf(bent, 0.4, 0.9);
  EXPECT_NEAR(Cents(up, unbent), 100.0, 1.5) << up << " Hz against " << unbent;

  const std::vector<int16_t> down = RenderG4({{2.0, 0x3D2BE0}});  // 7851 = 8192 - 341: LSB 0x2B, MSB 0x3D
  EXPECT_NEAR(Cents(PitchOf(down, 0.4, 0.9), unbent), -100.0, 1.5);
}

TEST_F(BuiltinSynthTest, VibratoDepthParameterWidensThePitch) {
  auto spread = [&](int depth) {
    // Depth, rate 64 and delay 0 through the non-registered parameters.
    std::vector<TimedShortMsg> nrpn;
    for (uint32_t m : {0x0163B0u, 0x0962B0u, 0x06B0u | static_cast<uint32_t>(depth) << 16, 0x0163B0u,
                       0x0862B0u, 0x4006B0u})
      nrpn.push_back({2.0, m});
    const std::vector<int16_t> sound = RenderG4(nrpn, 1.4);
    double low = 1e9, high = 0;
    for (double t = 0.3; t + 0.05 <= 1.3; t += 0.025) {
      const double hz = PitchOf(sound, t, t + 0.05);
      low = std::min(low, hz);
      high = std::max(high, hz);
    }
    return Cents(high, low);
  };
  const double none = spread(0);
  const double full = spread(127);
  std::printf("pitch spread: depth 0 %.1f cents, depth 127 %.1f cents\n", none, full);
  EXPECT_LT(none, 5.0);
  EXPECT_GT(full, 40.0);
}

TEST_F(BuiltinSynthTest, VolumeControllerLowersTheLevel) {
  const double full = RmsLevel(MonoSlice(RenderG4({}), kRate, 0.2, 0.6));
  const double low = RmsLevel(MonoSlice(RenderG4({{2.0, 0x2807B0}}), kRate, 0.2, 0.6));  // CC 7 = 40
  EXPECT_GT(full, 100.0);
  EXPECT_LT(low, full * 0.5);
}

}  // namespace
