#include "platform/picture.h"

#include <algorithm>

Picture::Picture(int width, int height, Pixel fill)
    : m_Width(width), m_Height(height), m_Pixels(static_cast<size_t>(width) * height, fill) {}

void Blit(Picture& dst, int dx, int dy, int w, int h, const Picture& src, int sx, int sy,
          RasterOp op) {
  // Clip against the source, then the destination.
  if (sx < 0) { w += sx; dx -= sx; sx = 0; }
  if (sy < 0) { h += sy; dy -= sy; sy = 0; }
  if (dx < 0) { w += dx; sx -= dx; dx = 0; }
  if (dy < 0) { h += dy; sy -= dy; dy = 0; }
  w = std::min({w, src.width() - sx, dst.width() - dx});
  h = std::min({h, src.height() - sy, dst.height() - dy});
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const Pixel* s = &src.pixels()[static_cast<size_t>(sy + y) * src.width() + sx];
    Pixel* d = &dst.pixels()[static_cast<size_t>(dy + y) * dst.width() + dx];
    switch (op) {
      case RasterOp::Copy: std::copy(s, s + w, d); break;
      case RasterOp::Or: for (int x = 0; x < w; ++x) d[x] |= s[x]; break;
      case RasterOp::And: for (int x = 0; x < w; ++x) d[x] &= s[x]; break;
    }
  }
}

void FillRect(Picture& dst, int left, int top, int right, int bottom, Pixel color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, dst.width());
  bottom = std::min(bottom, dst.height());
  for (int y = top; y < bottom; ++y) {
    std::fill(&dst.At(left, y), &dst.At(left, y) + std::max(0, right - left), color);
  }
}
