#include "platform/resampler.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// 64 taps with a Kaiser window (beta 7) keep aliases about 70 dB down and pass
// up to 45 % of the lower rate (19.8 kHz at 44.1 kHz) flat.
constexpr int kHalfTaps = 32;
constexpr double kKaiserBeta = 7.0;
constexpr double kPassBand = 0.45;  // of the lower sample rate
// Consumed input is dropped in batches of at least this many frames.
constexpr int64_t kTrimFrames = 8192;
constexpr double kPi = 3.14159265358979323846;

// Modified Bessel function of the first kind, order 0, by its power series.
double BesselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 50 && term > sum * 1e-12; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
  }
  return sum;
}

int16_t ToSample(float v) {
  const float scaled = std::clamp(v * 32768.0f, -32768.0f, 32767.0f);
  return static_cast<int16_t>(std::lrint(scaled));
}

}  // namespace

StereoResampler::StereoResampler(int in_rate, int out_rate) {
  const int64_t g = std::gcd(static_cast<int64_t>(in_rate), static_cast<int64_t>(out_rate));
  in_step_ = in_rate / g;
  out_step_ = out_rate / g;
  if (in_rate == out_rate) {
    half_taps_ = 1;  // a plain copy: the one tap at the output instant
    coef_ = {1.0f, 0.0f};
  } else {
    half_taps_ = kHalfTaps;
    const double cutoff = kPassBand * std::min(in_rate, out_rate) / in_rate;  // cycles per input frame
    const int taps = 2 * half_taps_;
    coef_.resize(static_cast<size_t>(out_step_ * taps));
    for (int64_t p = 0; p < out_step_; ++p) {
      // Tap k weighs input frame i - half + 1 + k for an instant p / out_step_
      // past frame i.
      double sum = 0;
      std::vector<double> phase(taps);
      for (int k = 0; k < taps; ++k) {
        const double t = static_cast<double>(p) / out_step_ + half_taps_ - 1 - k;
        const double x = 2 * cutoff * t;
        const double sinc = x == 0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
        const double r = t / half_taps_;
        const double window = r * r < 1 ? BesselI0(kKaiserBeta * std::sqrt(1 - r * r)) / BesselI0(kKaiserBeta) : 0;
        phase[k] = sinc * window;
        sum += phase[k];
      }
      // Each phase passes a steady level unchanged.
      for (int k = 0; k < taps; ++k) coef_[p * taps + k] = static_cast<float>(phase[k] / sum);
    }
  }
  left_.assign(half_taps_, 0.0f);
  right_.assign(half_taps_, 0.0f);
  base_ = -half_taps_;
}

void StereoResampler::Push(const float* left, const float* right, size_t frames,
                           std::vector<int16_t>* out) {
  left_.insert(left_.end(), left, left + frames);
  right_.insert(right_.end(), right, right + frames);
  Produce(out);
}

void StereoResampler::Produce(std::vector<int16_t>* out) {
  const int taps = 2 * half_taps_;
  const int64_t held_end = base_ + static_cast<int64_t>(left_.size());
  for (;;) {
    const int64_t pos = next_out_ * in_step_;
    const int64_t i = pos / out_step_;
    if (i + half_taps_ >= held_end) break;
    const size_t first = static_cast<size_t>(i - half_taps_ + 1 - base_);
    const float* c = &coef_[static_cast<size_t>(pos % out_step_) * taps];
    const float* l = &left_[first];
    const float* r = &right_[first];
    float sl = 0, sr = 0;
#pragma omp simd reduction(+ : sl, sr)
    for (int k = 0; k < taps; ++k) {
      sl += c[k] * l[k];
      sr += c[k] * r[k];
    }
    out->push_back(ToSample(sl));
    out->push_back(ToSample(sr));
    ++next_out_;
  }
  const int64_t needed_from = (next_out_ * in_step_) / out_step_ - half_taps_ + 1;
  if (needed_from - base_ >= kTrimFrames) {
    const auto drop = static_cast<std::ptrdiff_t>(needed_from - base_);
    left_.erase(left_.begin(), left_.begin() + drop);
    right_.erase(right_.begin(), right_.begin() + drop);
    base_ = needed_from;
  }
}
