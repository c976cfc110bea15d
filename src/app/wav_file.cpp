// RIFF/WAVE writer for 16-bit PCM.
#include "app/wav_file.h"

#include <cstdio>

namespace {

constexpr int kBitsPerSample = 16;
constexpr int kBytesPerSample = kBitsPerSample / 8;
constexpr int kWavHeaderBytes = 44;
constexpr uint16_t kFormatPcm = 1;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<uint8_t> BuildWavHeader(uint32_t frames, int sampleRate, int channels) {
  const uint32_t blockAlign = static_cast<uint32_t>(channels * kBytesPerSample);
  const uint32_t dataBytes = frames * blockAlign;
  std::vector<uint8_t> h;
  h.reserve(kWavHeaderBytes);
  PutTag(h, "RIFF");
  Put32(h, kWavHeaderBytes - 8 + dataBytes);
  PutTag(h, "WAVE");
  PutTag(h, "fmt ");
  Put32(h, 16);
  Put16(h, kFormatPcm);
  Put16(h, static_cast<uint32_t>(channels));
  Put32(h, static_cast<uint32_t>(sampleRate));
  Put32(h, static_cast<uint32_t>(sampleRate) * blockAlign);
  Put16(h, blockAlign);
  Put16(h, kBitsPerSample);
  PutTag(h, "data");
  Put32(h, dataBytes);
  return h;
}

WavFileWriter::~WavFileWriter() { Close(); }

bool WavFileWriter::Open(const std::string& path, uint32_t frames, int sampleRate, int channels) {
  Close();
  m_Ok = false;
  if (channels <= 0) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  m_File = f;
  const std::vector<uint8_t> header = BuildWavHeader(frames, sampleRate, channels);
  m_Ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
  if (!m_Ok) {
    std::fclose(f);
    m_File = nullptr;
    std::remove(path.c_str());
  }
  return m_Ok;
}

bool WavFileWriter::Append(const int16_t* samples, size_t count) {
  if (!m_File || !m_Ok) return false;
  // Little-endian samples, as the format stores them.
  m_Bytes.resize(count * kBytesPerSample);
  for (size_t i = 0; i < count; ++i) {
    const uint16_t s = static_cast<uint16_t>(samples[i]);
    m_Bytes[2 * i] = static_cast<uint8_t>(s);
    m_Bytes[2 * i + 1] = static_cast<uint8_t>(s >> 8);
  }
  m_Ok = std::fwrite(m_Bytes.data(), 1, m_Bytes.size(), static_cast<FILE*>(m_File)) == m_Bytes.size();
  return m_Ok;
}

int WavFileWriter::Close() {
  if (!m_File) return m_Ok ? 0 : 1;
  const bool closed = std::fclose(static_cast<FILE*>(m_File)) == 0;
  m_File = nullptr;
  m_Ok = m_Ok && closed;
  return m_Ok ? 0 : 1;
}

int WriteWavFile(const std::string& path, const std::vector<int16_t>& samples, int sampleRate,
                 int channels) {
  if (channels <= 0) return 1;
  const uint32_t frames = static_cast<uint32_t>(samples.size() / channels);
  WavFileWriter writer;
  if (!writer.Open(path, frames, sampleRate, channels)) return 1;
  writer.Append(samples.data(), static_cast<size_t>(frames) * channels);
  return writer.Close();
}
