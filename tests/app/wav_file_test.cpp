// The rendered WAV file: a header players accept and the samples as given.
#include "app/wav_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

TEST(WavFile, StereoSixteenBitHeaderAndLittleEndianSamples) {
  TempDir dir;
  const std::vector<int16_t> samples = {1, -1, 0x1234, -32768};
  ASSERT_EQ(WriteWavFile(dir.File("a.wav"), samples, 44100, 2), 0);
  const std::string bytes = dir.Read("a.wav");
  const std::string expected = std::string("RIFF") + std::string("\x2c\0\0\0", 4) + "WAVEfmt " +
                               std::string("\x10\0\0\0\x01\0\x02\0", 8) +
                               std::string("\x44\xac\0\0\x10\xb1\x02\0\x04\0\x10\0", 12) +
                               "data" + std::string("\x08\0\0\0", 4) +
                               std::string("\x01\0\xff\xff\x34\x12\0\x80", 8);
  EXPECT_EQ(bytes, expected);
}

TEST(WavFile, UnwritablePathFails) {
  EXPECT_EQ(WriteWavFile("/nonexistent-dir/x.wav", {0, 0}, 44100, 2), 1);
}

}  // namespace
