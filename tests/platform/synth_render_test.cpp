// Offline rendering through the built-in synthesizer: the same messages give
// the same sound, and every message sounds from its own millisecond, whatever
// the output rate.
#include "platform/synth_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A guitar note (program 26, note 67) at `at_ms`.
std::vector<TimedShortMsg> NoteAt(double at_ms) { return {{0.0, 0x001AC0}, {at_ms, 0x7F4390}}; }

// First frame of interleaved stereo louder than `level` steps.
size_t Onset(const std::vector<int16_t>& s, int level) {
  for (size_t i = 0; i < s.size(); ++i)
    if (std::abs(s[i]) > level) return i / 2;
  return s.size() / 2;
}

class SynthRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kSoundFont)) GTEST_SKIP() << "no " << kSoundFont;
  }
  // Whether b is a delayed by `shift` frames. The effects units (reverb and
  // chorus) run on the synthesizer's own clock, so a later note meets them in
  // another phase: a few steps of difference; a note one frame off would differ
  // by about a hundred.
  static void ExpectShifted(const std::vector<int16_t>& a, const std::vector<int16_t>& b, size_t shift) {
    ASSERT_EQ(a.size(), b.size());
    int worst = 0;
    for (size_t i = 0; i + 2 * shift < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i + 2 * shift]));
    EXPECT_LE(worst, 12) << "shift " << shift;
    for (size_t i = 0; i < 2 * shift; ++i) ASSERT_EQ(b[i], a[0]) << "before the later note, frame " << i / 2;
  }
};

TEST_F(SynthRenderTest, StreamsASecondAtATimeTheSameSoundItWouldCollect) {
  // 3.5 s: three full seconds and a part, each handed over as it is made.
  const std::vector<TimedShortMsg> notes = {{0.0, 0x001AC0}, {20.0, 0x7F4390}, {2500.0, 0x7F4890}};
  const std::vector<int16_t> whole = RenderOffline(notes, kSoundFont, 44100, 1000);
  std::vector<int16_t> streamed;
  std::vector<size_t> pieces;
  const RenderSink sink = [&](const int16_t* samples, size_t count) {
    streamed.insert(streamed.end(), samples, samples + count);
    pieces.push_back(count);
    return true;
  };
  ASSERT_EQ(RenderOfflineTo(notes, kSoundFont, 44100, 1000, sink), 0);
  EXPECT_EQ(streamed, whole);
  EXPECT_EQ(static_cast<int64_t>(whole.size()), RenderedFrames(notes, 44100, 1000) * 2);
  ASSERT_GE(pieces.size(), 3u);
  for (size_t i = 0; i + 1 < pieces.size(); ++i) EXPECT_LE(pieces[i], 2u * 44100u + 256u) << "piece " << i;

  // A sink that cannot write stops the rendering at once; a missing SoundFont
  // gives the sink nothing.
  int calls = 0;
  EXPECT_EQ(RenderOfflineTo(notes, kSoundFont, 44100, 1000, [&](const int16_t*, size_t) { return ++calls > 1 ? false : true; }), 2);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(RenderOfflineTo(notes, "/nonexistent.sf2", 44100, 1000, [&](const int16_t*, size_t) { return ++calls > 0; }), 1);
  EXPECT_EQ(calls, 2);
}

TEST_F(SynthRenderTest, RepeatsExactlyAndLastsUntilTheTailEnds) {
  const std::vector<int16_t> a = RenderOffline(NoteAt(20.5), kSoundFont, 48000, 100);
  EXPECT_EQ(a, RenderOffline(NoteAt(20.5), kSoundFont, 48000, 100));
  EXPECT_EQ(a.size(), 2u * 5784);  // 120.5 ms
  EXPECT_TRUE(RenderOffline(NoteAt(20.5), "/nonexistent.sf2", 48000, 100).empty());
  EXPECT_TRUE(RenderOffline(NoteAt(20.5), kSoundFont, 0, 100).empty());
}

TEST_F(SynthRenderTest, EachMillisecondOfDelayMovesTheSoundByExactlyThatMuch) {
  // At 48 kHz a millisecond is 48 frames: the note at 27 ms is the note at
  // 20 ms, 336 frames later, sample for sample (a renderer that starts notes
  // at its 64-frame blocks would give 384).
  const std::vector<int16_t> at20 = RenderOffline(NoteAt(20), kSoundFont, 48000, 300);
  const std::vector<int16_t> at27 = RenderOffline(NoteAt(27), kSoundFont, 48000, 293);
  ExpectShifted(at20, at27, 336);
  // At 44.1 kHz ten milliseconds are 441 frames.
  const std::vector<int16_t> at30 = RenderOffline(NoteAt(30), kSoundFont, 44100, 300);
  const std::vector<int16_t> at40 = RenderOffline(NoteAt(40), kSoundFont, 44100, 290);
  ExpectShifted(at30, at40, 441);
}

TEST_F(SynthRenderTest, TheSoundStartsAtItsMessage) {
  // Silence up to the filter's reach (half a millisecond) before the note-on at
  // 20 ms, frame 960, and the note's soft attack rising from there.
  const std::vector<int16_t> s = RenderOffline(NoteAt(20), kSoundFont, 48000, 100);
  for (size_t i = 0; i < 2 * 936; ++i) ASSERT_EQ(s[i], 0) << "frame " << i / 2;
  EXPECT_GE(Onset(s, 0), 936u);
  EXPECT_LT(Onset(s, 0), 984u);
  EXPECT_LT(Onset(s, 10), 1008u);
}

}  // namespace
