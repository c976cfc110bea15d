#include "png_file.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

using Bytes = std::vector<uint8_t>;

// The largest stored deflate block (its length field is 16 bits).
constexpr size_t kMaxStoredBlock = 65535;

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(const Bytes& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBig32(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// A zlib stream of stored blocks: header, blocks, Adler-32 of the raw data.
Bytes StoredZlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min(kMaxStoredBlock, raw.size() - pos);
    const bool last = pos + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<uint8_t>(n));
    out.push_back(static_cast<uint8_t>(n >> 8));
    out.push_back(static_cast<uint8_t>(~n));
    out.push_back(static_cast<uint8_t>(~n >> 8));
    out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  PutBig32(out, Adler32(raw));
  return out;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

bool WritePng(const std::string& path, const Picture& colour, const std::vector<uint8_t>& alpha) {
  const int w = colour.width(), h = colour.height();
  if (alpha.size() != static_cast<size_t>(w) * h) return false;
  Bytes header;
  PutBig32(header, w);
  PutBig32(header, h);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  Bytes raw;
  raw.reserve(static_cast<size_t>(h) * (1 + 4 * w));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // each row unfiltered
    for (int x = 0; x < w; ++x) {
      const Pixel p = colour.At(x, y);
      raw.insert(raw.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                             static_cast<uint8_t>(p), alpha[static_cast<size_t>(y) * w + x]});
    }
  }
  Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", StoredZlib(raw));
  PutChunk(file, "IEND", {});
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}
