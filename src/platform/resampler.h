// Converts stereo audio from one fixed sample rate to another with a
// windowed-sinc filter centred on each output instant: nothing is delayed, so
// a sound that starts at time t in the input starts at time t in the output,
// to a fraction of an output sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class StereoResampler {
 public:
  StereoResampler(int in_rate, int out_rate);

  // Takes input frames (left and right apart, full scale 1.0) and appends to
  // out, as interleaved 16-bit stereo, every output frame whose filter window
  // the input now covers. Input before the first frame counts as silence.
  void Push(const float* left, const float* right, size_t frames, std::vector<int16_t>* out);

  // Output frames appended so far.
  int64_t frames_out() const { return m_NextOut; }
  // Input frames the filter looks ahead of an output instant.
  int lookahead() const { return m_HalfTaps; }

 private:
  void Produce(std::vector<int16_t>* out);

  int64_t m_InStep;   // input frames per m_OutStep output frames (reduced ratio)
  int64_t m_OutStep;  // = number of filter phases
  int m_HalfTaps;     // taps on either side of an output instant
  std::vector<float> m_Coef;  // m_OutStep phases of 2 * m_HalfTaps taps each
  std::vector<float> m_Left, m_Right;
  int64_t m_Base;  // input frame held at m_Left[0]
  int64_t m_NextOut = 0;
};
