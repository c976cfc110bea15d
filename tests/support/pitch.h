// Measures rendered sound: the pitch of a steady stretch (normalised
// autocorrelation, refined at a lag of many periods with a parabola through the
// peak), its spread over short windows, and the loudness.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Mono samples of frames [from, to) of interleaved stereo.
inline std::vector<double> MonoSlice(const std::vector<int16_t>& stereo, int rate, double from_s,
                                     double to_s) {
  const size_t from = static_cast<size_t>(from_s * rate);
  const size_t to = std::min(stereo.size() / 2, static_cast<size_t>(to_s * rate));
  std::vector<double> mono;
  for (size_t i = from; i < to; ++i) mono.push_back(0.5 * (stereo[2 * i] + stereo[2 * i + 1]));
  return mono;
}

// Normalised correlation of the first `window` samples with those `lag` later.
inline double Correlation(const std::vector<double>& x, size_t window, size_t lag) {
  double xy = 0, xx = 0, yy = 0;
  for (size_t n = 0; n < window; ++n) {
    xy += x[n] * x[n + lag];
    xx += x[n] * x[n];
    yy += x[n + lag] * x[n + lag];
  }
  return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0.0;
}

// Fundamental frequency in Hz of x, known to lie in [fmin, fmax]; 0 when silent.
inline double EstimatePitchHz(const std::vector<double>& x, int rate, double fmin, double fmax) {
  const size_t min_lag = static_cast<size_t>(rate / fmax);
  const size_t max_lag = static_cast<size_t>(rate / fmin) + 1;
  if (x.size() < 3 * max_lag) return 0;
  // Half the samples are the window, the rest room for the lags.
  const size_t window = x.size() / 2;
  size_t best = 0;
  double best_r = -1;
  for (size_t lag = min_lag; lag <= max_lag; ++lag) {
    const double r = Correlation(x, window, lag);
    if (r > best_r) best_r = r, best = lag;
  }
  if (best_r <= 0) return 0;
  // The peak m periods away measures the period m times more finely; m grows
  // step by step so that each search starts close to its peak.
  double period = static_cast<double>(best);
  for (size_t m = 1; m * period + period / 4 + 2 + window <= x.size(); m *= 2) {
    const double centre = m * period;
    const size_t reach = std::max<size_t>(2, static_cast<size_t>(period / 8));
    size_t peak = static_cast<size_t>(std::lround(centre));
    double peak_r = -2;
    for (size_t lag = peak - std::min(peak - 2, reach); lag <= static_cast<size_t>(centre) + reach; ++lag) {
      const double r = Correlation(x, window, lag);
      if (r > peak_r) peak_r = r, peak = lag;
    }
    const double a = Correlation(x, window, peak - 1);
    const double c = Correlation(x, window, peak + 1);
    const double denom = a - 2 * peak_r + c;
    const double shift = denom != 0 ? 0.5 * (a - c) / denom : 0.0;
    period = (static_cast<double>(peak) + shift) / static_cast<double>(m);
  }
  return rate / period;
}

inline double Cents(double hz, double reference_hz) { return 1200.0 * std::log2(hz / reference_hz); }

inline double RmsLevel(const std::vector<double>& x) {
  double sum = 0;
  for (double v : x) sum += v * v;
  return x.empty() ? 0 : std::sqrt(sum / x.size());
}
