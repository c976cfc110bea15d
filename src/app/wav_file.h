// Writing rendered sound as a WAV file: PCM, 16-bit, interleaved channels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kWavSampleRate = 44100;  // Hz
inline constexpr int kWavChannels = 2;        // stereo

// The 44-byte header of a PCM WAV file holding frames frames.
std::vector<uint8_t> BuildWavHeader(uint32_t frames, int sampleRate, int channels);

// A WAV file written as its sound is made: the header first (the length is
// known in advance), then the samples as they come.
class WavFileWriter {
 public:
  WavFileWriter() = default;
  ~WavFileWriter();
  WavFileWriter(const WavFileWriter&) = delete;
  WavFileWriter& operator=(const WavFileWriter&) = delete;

  // Creates the file with the header of a file of frames frames. False on
  // failure, and no file is left when the header could not be written.
  bool Open(const std::string& path, uint32_t frames, int sampleRate, int channels);
  // Appends interleaved 16-bit samples. False on failure.
  bool Append(const int16_t* samples, size_t count);
  // Finishes the file. 0 on success, 1 when any write failed.
  int Close();

 private:
  void* m_File = nullptr;  // FILE
  bool m_Ok = true;
  std::vector<uint8_t> m_Bytes;  // little-endian scratch
};

// Writes interleaved 16-bit samples at path. 0 on success, 1 on failure.
int WriteWavFile(const std::string& path, const std::vector<int16_t>& samples, int sampleRate,
                 int channels);
