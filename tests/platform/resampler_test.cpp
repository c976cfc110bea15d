// The sample-rate converter of offline rendering: tones below the pass band
// come through at their level and phase, tones the output rate cannot hold are
// kept out, and nothing is delayed.
#include "platform/resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kIn = 64000;

// Converts `seconds` of a sine of frequency f (amplitude 0.5, the same on both
// channels) in pieces of odd sizes, as a renderer feeds it.
std::vector<int16_t> ConvertSine(double f, int out_rate, double seconds) {
  StereoResampler r(kIn, out_rate);
  const int frames = static_cast<int>(seconds * kIn);
  std::vector<float> x(frames);
  for (int n = 0; n < frames; ++n) x[n] = static_cast<float>(0.5 * std::sin(2 * kPi * f * n / kIn));
  std::vector<int16_t> out;
  for (int at = 0; at < frames;) {
    const int piece = std::min(frames - at, 777);
    r.Push(&x[at], &x[at], piece, &out);
    at += piece;
  }
  return out;
}

// Largest difference, in 16-bit steps, of the left channel from the ideal sine
// at the output instants, away from both ends.
double WorstError(const std::vector<int16_t>& out, double f, int out_rate) {
  double worst = 0;
  for (size_t n = 200; n + 200 < out.size() / 2; ++n) {
    const double ideal = 0.5 * 32768 * std::sin(2 * kPi * f * n / out_rate);
    worst = std::max(worst, std::abs(out[2 * n] - ideal));
  }
  return worst;
}

TEST(StereoResamplerTest, TonesInThePassBandKeepTheirLevelAndPhase) {
  for (int rate : {44100, 48000}) {
    for (double f : {50.0, 1000.0, 9000.0, 17000.0}) {
      const std::vector<int16_t> out = ConvertSine(f, rate, 0.25);
      // Half a second of input gives its share of output, less the look-ahead.
      EXPECT_NEAR(out.size() / 2.0, 0.25 * rate, rate / 1000.0) << rate << " Hz";
      // About 60 dB below the tone (16384): within 16 steps.
      EXPECT_LT(WorstError(out, f, rate), 16.0) << f << " Hz at " << rate;
    }
  }
}

TEST(StereoResamplerTest, TonesAboveTheOutputsHalfRateAreKeptOut) {
  // 27 kHz would fold back to 17.1 kHz at 44.1 kHz.
  const std::vector<int16_t> out = ConvertSine(27000.0, 44100, 0.25);
  double peak = 0;
  for (size_t n = 200; n < out.size(); ++n) peak = std::max(peak, std::abs(static_cast<double>(out[n])));
  EXPECT_LT(peak, 16384 / 1000.0);  // 60 dB down
}

TEST(StereoResamplerTest, AClickComesOutAtItsOwnInstant) {
  // A click at input frame 6400 (100 ms) peaks at output frame 4410, and one at
  // 6464 (101 ms), the output instant 4454.1, at frame 4454, well above 4455.
  for (int at : {6400, 6464}) {
    StereoResampler r(kIn, 44100);
    std::vector<float> left(12800, 0.0f), right(12800, 0.0f);
    left[at] = 1.0f;
    std::vector<int16_t> out;
    r.Push(left.data(), right.data(), left.size(), &out);
    size_t peak = 0;
    for (size_t n = 0; n < out.size() / 2; ++n)
      if (out[2 * n] > out[2 * peak]) peak = n;
    EXPECT_EQ(peak, at == 6400 ? 4410u : 4454u);
    if (at == 6464) {
      EXPECT_GT(out[2 * 4454], 3 * out[2 * 4455]);
    }
    for (size_t n = 0; n < out.size() / 2; ++n) EXPECT_EQ(out[2 * n + 1], 0) << "right channel at " << n;
  }
}

TEST(StereoResamplerTest, EqualRatesCopy) {
  StereoResampler r(48000, 48000);
  const std::vector<float> left = {0.0f, 0.5f, -0.25f, 1.5f}, right = {0.25f, 0.0f, 0.0f, -2.0f};
  std::vector<int16_t> out;
  r.Push(left.data(), right.data(), left.size(), &out);
  EXPECT_EQ(out, (std::vector<int16_t>{0, 8192, 16384, 0, -8192, 0}));  // the last frame waits
  EXPECT_EQ(r.frames_out(), 3);
}

}  // namespace
