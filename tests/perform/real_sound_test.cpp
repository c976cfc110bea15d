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
  // The note over 400 ms from 150 ms after `pressed`, and a semitone higher over
  // 400 ms from `settle` ms after `moved`: each against equal temperament and
  // the step between them against the bend's semitone.
  void ExpectSemitoneUp(int note, double pressed, double moved, double settle, double fmin, double fmax) {
    const std::vector<int16_t> sound = Render();
    ASSERT_FALSE(sound.empty());
    auto pitch = [&](double from_ms) {
      return EstimatePitchHz(MonoSlice(sound, kRate, from_ms / 1000, (from_ms + 400) / 1000), kRate, fmin, fmax);
    };
    const double low = pitch(pressed + 150), high = pitch(moved + settle);
    EXPECT_NEAR(Cents(low, EqualTempered(note)), 0, kCentsToEqualTemperament) << low << " Hz";
    EXPECT_NEAR(Cents(high, EqualTempered(note + 1)), 0, kCentsToEqualTemperament) << high << " Hz";
    EXPECT_NEAR(Cents(high, low), kSemitoneCents, kCentsOfInterval);
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
  ExpectSemitoneUp(67, pressed, bent, 100, 300, 500);
}

TEST_F(RealSoundTest, PedalOneRaisesTheCStringToCSharp) {
  HoverCell(0, 2, 0);  // string 2 of C6 is C4
  Press(1);
  const double pressed = static_cast<double>(sys().NowMs());
  sys().Wait(600);
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));
  const double pedal = static_cast<double>(sys().NowMs());
  sys().Wait(900);  // the glide takes 360 ms
  ExpectSemitoneUp(60, pressed, pedal, 450, 200, 330);
}

}  // namespace
