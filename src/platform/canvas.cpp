#include "platform/canvas.h"

#include <algorithm>

#include "platform/fonts.h"

namespace {

// Beyond this many separate rectangles, presenting their bounding box is cheaper.
constexpr size_t kMaxDirtyRects = 16;

Pixel Mix(Pixel fg, Pixel bg, unsigned a) {
  auto ch = [&](int shift) {
    unsigned f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
    return ((f * a + b * (255 - a) + 127) / 255) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

}  // namespace

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

Rect Union(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

Canvas::Canvas(int width, int height) : m_Picture(width, height), m_Clip{0, 0, width, height} {}

Rect Canvas::Clipped(Rect r) const { return Intersect(r, m_Clip); }

void Canvas::Blit(int dx, int dy, int w, int h, const Picture& src, int sx, int sy, RasterOp op) {
  if (src.empty()) return;
  Rect r = Clipped({dx, dy, dx + w, dy + h});
  if (IsEmpty(r)) return;
  ::Blit(m_Picture, r.left, r.top, r.right - r.left, r.bottom - r.top, src, sx + (r.left - dx),
         sy + (r.top - dy), op);
  MarkDirty(r);
}

void Canvas::Save(Picture& dst, int sx, int sy, int w, int h) const {
  ::Blit(dst, 0, 0, w, h, m_Picture, sx, sy);
}

void Canvas::Fill(const Rect& rect, Pixel color) {
  Rect r = Clipped(rect);
  if (IsEmpty(r)) return;
  FillRect(m_Picture, r.left, r.top, r.right, r.bottom, color);
  MarkDirty(r);
}

void Canvas::TextOut(int x, int y, const std::string& text) {
  if (m_Record) m_Texts.push_back({x, y, text, m_Font, m_TextColor, m_Opaque, m_Background});
  if (!m_Font || !m_Font->valid()) return;
  int w = 0;
  if (!m_Font->Render(text, &m_Coverage, &w)) return;
  const int h = m_Font->height();
  Rect cell = {x, y, x + w, y + h};
  if (m_Opaque) Fill(cell, m_Background);
  Rect r = Clipped(Intersect(cell, {0, 0, width(), height()}));
  if (IsEmpty(r)) return;
  for (int py = r.top; py < r.bottom; ++py) {
    const uint8_t* cov = &m_Coverage[static_cast<size_t>(py - y) * w];
    for (int px = r.left; px < r.right; ++px) {
      unsigned a = cov[px - x];
      if (a == 0) continue;
      Pixel& d = m_Picture.At(px, py);
      d = a == 255 ? m_TextColor : Mix(m_TextColor, d, a);
    }
  }
  MarkDirty(r);
}

void Canvas::MarkDirty(const Rect& r) {
  if (IsEmpty(r)) return;
  for (Rect& d : m_Dirty) {
    // Already covered, or covering: keep one of the two.
    if (d.left <= r.left && d.top <= r.top && d.right >= r.right && d.bottom >= r.bottom) return;
    if (r.left <= d.left && r.top <= d.top && r.right >= d.right && r.bottom >= d.bottom) {
      d = r;
      return;
    }
  }
  if (m_Dirty.size() >= kMaxDirtyRects) {
    Rect all = r;
    for (const Rect& d : m_Dirty) all = Union(all, d);
    m_Dirty.assign(1, all);
    return;
  }
  m_Dirty.push_back(r);
}

std::vector<Rect> Canvas::TakeDirty() {
  std::vector<Rect> out;
  out.swap(m_Dirty);
  return out;
}
