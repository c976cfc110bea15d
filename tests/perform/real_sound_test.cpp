// The instrument heard through the built-in synthesizer, rendered offline:
// the pitches of a fret, a bar 64 pixels right of it and a raised pedal.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "perform/play_fixture.h"
#include "platform/synth_render.h"
#include "support/pitch.h"

namespace {

const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kRate = 48000;
constexpr double kCentsToEqualTemperament = 4.0;  // SoundFonts are tuned a few cents off
constexpr double kCentsOfInterval = 1.5;
constexpr double kSemitoneCents = 100.0 * 341 / (8192.0 / 24);  // a bend of 341 units

double EqualTempered(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

class RealSoundTest : public PlayTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kSoundFont)) << "the TimGM6mb SoundFont is not installed";
    PlayTest::SetUp();
  }
  // Everything sent since start-up, rendered.
  std::vector<int16_t> Render() {
    std::vector<TimedShortMsg> events;
    for (const HeadlessEvent& e : startup()) events.push_back({static_cast<double>(e.time_ms), e.packed});
    for (const HeadlessEvent& e : sys().TakeEvents()) {
      if (e.kind == HeadlessEvent::kMidi) events.push_back({static_cast<double>(e.time_ms), e.packed});
    }
    return RenderOffline(events, kSoundFont, kRate, 300);
  }
  double Pitch(const std::vector<int16_t>& sound, double from_ms, double to_ms, double fmin, double fmax) {
    return EstimatePitchHz(MonoSlice(sound, kRate, from_ms / 1000, to_ms / 1000), kRate, fmin, fmax);
  }
};

TEST_F(RealSoundTest, FretZeroSoundsG4AndSixtyFourPixelsRightSoundsGSharp4) {
  HoverCell(0, 0, 0);
  Press(1);
  const double pressed = static_cast<double>(sys().NowMs());
  sys().Wait(600);
  Hover(Cell(0, 0, 0, 64));
  const double bent = static_cast<double>(sys().NowMs());
  sys().Wait(600);
  const std::vector<int16_t> sound = Render();
  ASSERT_FALSE(sound.empty());

  const double g4 = Pitch(sound, pressed + 150, pressed + 550, 300, 500);
  const double gsharp4 = Pitch(sound, bent + 100, bent + 500, 300, 500);
  EXPECT_NEAR(Cents(g4, EqualTempered(67)), 0, kCentsToEqualTemperament) << g4 << " Hz";
  EXPECT_NEAR(Cents(gsharp4, EqualTempered(68)), 0, kCentsToEqualTemperament) << gsharp4 << " Hz";
  EXPECT_NEAR(Cents(gsharp4, g4), kSemitoneCents, kCentsOfInterval);
}

TEST_F(RealSoundTest, PedalOneRaisesTheCStringToCSharp) {
  HoverCell(0, 2, 0);  // string 2 of C6 is C4
  Press(1);
  const double pressed = static_cast<double>(sys().NowMs());
  sys().Wait(600);
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));
  const double pedal = static_cast<double>(sys().NowMs());
  sys().Wait(900);  // the glide takes 360 ms
  const std::vector<int16_t> sound = Render();
  ASSERT_FALSE(sound.empty());

  const double c4 = Pitch(sound, pressed + 150, pressed + 550, 200, 330);
  const double csharp4 = Pitch(sound, pedal + 450, pedal + 850, 200, 330);
  EXPECT_NEAR(Cents(c4, EqualTempered(60)), 0, kCentsToEqualTemperament) << c4 << " Hz";
  EXPECT_NEAR(Cents(csharp4, EqualTempered(61)), 0, kCentsToEqualTemperament) << csharp4 << " Hz";
  EXPECT_NEAR(Cents(csharp4, c4), kSemitoneCents, kCentsOfInterval);
}

}  // namespace
