// An in-memory 32-bit picture (0x00RRGGBB per pixel) and the raster copies the
// panel is drawn with: plain copy, OR and AND, as the bar's tip and mask need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Pixel = uint32_t;  // 0x00RRGGBB

inline constexpr Pixel Rgb(int r, int g, int b) {
  return (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) | static_cast<Pixel>(b);
}

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, Pixel fill = 0);

  int width() const { return m_Width; }
  int height() const { return m_Height; }
  bool empty() const { return m_Width == 0 || m_Height == 0; }
  Pixel At(int x, int y) const { return m_Pixels[static_cast<size_t>(y) * m_Width + x]; }
  Pixel& At(int x, int y) { return m_Pixels[static_cast<size_t>(y) * m_Width + x]; }
  const std::vector<Pixel>& pixels() const { return m_Pixels; }
  std::vector<Pixel>& pixels() { return m_Pixels; }

 private:
  int m_Width = 0;
  int m_Height = 0;
  std::vector<Pixel> m_Pixels;
};

enum class RasterOp { Copy, Or, And };

// Copies a w by h block from src at (sx, sy) to dst at (dx, dy), combining
// pixels by op. Parts outside either picture are left out; an empty source
// (a picture that could not be loaded) copies nothing.
void Blit(Picture& dst, int dx, int dy, int w, int h, const Picture& src, int sx, int sy,
          RasterOp op = RasterOp::Copy);

// Fills the rectangle [left, right) x [top, bottom), clipped to the picture.
void FillRect(Picture& dst, int left, int top, int right, int bottom, Pixel color);
