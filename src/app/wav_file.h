// Writing rendered sound as a WAV file: PCM, 16-bit, interleaved channels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kWavSampleRate = 44100;  // Hz
inline constexpr int kWavChannels = 2;        // stereo

// The 44-byte header of a PCM WAV file holding frames frames.
std::vector<uint8_t> BuildWavHeader(uint32_t frames, int sampleRate, int channels);

// Writes interleaved 16-bit samples at path. 0 on success, 1 on failure.
int WriteWavFile(const std::string& path, const std::vector<int16_t>& samples, int sampleRate,
                 int channels);
