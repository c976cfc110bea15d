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
  m_InStep = in_rate / g;
  m_OutStep = out_rate / g;
  if (in_rate == out_rate) {
    m_HalfTaps = 1;  // a plain copy: the one tap at the output instant
    m_Coef = {1.0f, 0.0f};
  } else {
    m_HalfTaps = kHalfTaps;
    const double cutoff = kPassBand * std::min(in_rate, out_rate) / in_rate;  // cycles per input frame
    const int taps = 2 * m_HalfTaps;
    m_Coef.resize(static_cast<size_t>(m_OutStep * taps));
    for (int64_t p = 0; p < m_OutStep; ++p) {
      // Tap k weighs input frame i - half + 1 + k for an instant p / m_OutStep
      // past frame i.
      double sum = 0;
      std::vector<double> phase(taps);
      for (int k = 0; k < taps; ++k) {
        const double t = static_cast<double>(p) / m_OutStep + m_HalfTaps - 1 - k;
        const double x = 2 * cutoff * t;
        const double sinc = x == 0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
        const double r = t / m_HalfTaps;
        const double window = r * r < 1 ? BesselI0(kKaiserBeta * std::sqrt(1 - r * r)) / BesselI0(kKaiserBeta) : 0;
        phase[k] = sinc * window;
        sum += phase[k];
      }
      // Each phase passes a steady level unchanged.
      for (int k = 0; k < taps; ++k) m_Coef[p * taps + k] = static_cast<float>(phase[k] / sum);
    }
  }
  m_Left.assign(m_HalfTaps, 0.0f);
  m_Right.assign(m_HalfTaps, 0.0f);
  m_Base = -m_HalfTaps;
}

void StereoResampler::Push(const float* left, const float* right, size_t frames,
                           std::vector<int16_t>* out) {
  m_Left.insert(m_Left.end(), left, left + frames);
  m_Right.insert(m_Right.end(), right, right + frames);
  Produce(out);
}

void StereoResampler::Produce(std::vector<int16_t>* out) {
  const int taps = 2 * m_HalfTaps;
  const int64_t held_end = m_Base + static_cast<int64_t>(m_Left.size());
  for (;;) {
    const int64_t pos = m_NextOut * m_InStep;
    const int64_t i = pos / m_OutStep;
    if (i + m_HalfTaps >= held_end) break;
    const size_t first = static_cast<size_t>(i - m_HalfTaps + 1 - m_Base);
    const float* c = &m_Coef[static_cast<size_t>(pos % m_OutStep) * taps];
    const float* l = &m_Left[first];
    const float* r = &m_Right[first];
    float sl = 0, sr = 0;
#pragma omp simd reduction(+ : sl, sr)
    for (int k = 0; k < taps; ++k) {
      sl += c[k] * l[k];
      sr += c[k] * r[k];
    }
    out->push_back(ToSample(sl));
    out->push_back(ToSample(sr));
    ++m_NextOut;
  }
  const int64_t needed_from = (m_NextOut * m_InStep) / m_OutStep - m_HalfTaps + 1;
  if (needed_from - m_Base >= kTrimFrames) {
    const auto drop = static_cast<std::ptrdiff_t>(needed_from - m_Base);
    m_Left.erase(m_Left.begin(), m_Left.begin() + drop);
    m_Right.erase(m_Right.begin(), m_Right.begin() + drop);
    m_Base = needed_from;
  }
}
