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
  int64_t frames_out() const { return next_out_; }
  // Input frames the filter looks ahead of an output instant.
  int lookahead() const { return half_taps_; }

 private:
  void Produce(std::vector<int16_t>* out);

  int64_t in_step_;   // input frames per out_step_ output frames (reduced ratio)
  int64_t out_step_;  // = number of filter phases
  int half_taps_;     // taps on either side of an output instant
  std::vector<float> coef_;  // out_step_ phases of 2 * half_taps_ taps each
  std::vector<float> left_, right_;
  int64_t base_;  // input frame held at left_[0]
  int64_t next_out_ = 0;
};
