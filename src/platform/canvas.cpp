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

Canvas::Canvas(int width, int height) : picture_(width, height), clip_{0, 0, width, height} {}

Rect Canvas::Clipped(Rect r) const { return Intersect(r, clip_); }

void Canvas::Blit(int dx, int dy, int w, int h, const Picture& src, int sx, int sy, RasterOp op) {
  if (src.empty()) return;
  Rect r = Clipped({dx, dy, dx + w, dy + h});
  if (IsEmpty(r)) return;
  ::Blit(picture_, r.left, r.top, r.right - r.left, r.bottom - r.top, src, sx + (r.left - dx),
         sy + (r.top - dy), op);
  MarkDirty(r);
}

void Canvas::Save(Picture& dst, int sx, int sy, int w, int h) const {
  ::Blit(dst, 0, 0, w, h, picture_, sx, sy);
}

void Canvas::Fill(const Rect& rect, Pixel color) {
  Rect r = Clipped(rect);
  if (IsEmpty(r)) return;
  FillRect(picture_, r.left, r.top, r.right, r.bottom, color);
  MarkDirty(r);
}

void Canvas::TextOut(int x, int y, const std::string& text) {
  if (record_) texts_.push_back({x, y, text, font_, text_color_, opaque_, background_});
  if (!font_ || !font_->valid()) return;
  int w = 0;
  if (!font_->Render(text, &coverage_, &w)) return;
  const int h = font_->height();
  Rect cell = {x, y, x + w, y + h};
  if (opaque_) Fill(cell, background_);
  Rect r = Clipped(Intersect(cell, {0, 0, width(), height()}));
  if (IsEmpty(r)) return;
  for (int py = r.top; py < r.bottom; ++py) {
    const uint8_t* cov = &coverage_[static_cast<size_t>(py - y) * w];
    for (int px = r.left; px < r.right; ++px) {
      unsigned a = cov[px - x];
      if (a == 0) continue;
      Pixel& d = picture_.At(px, py);
      d = a == 255 ? text_color_ : Mix(text_color_, d, a);
    }
  }
  MarkDirty(r);
}

void Canvas::MarkDirty(const Rect& r) {
  if (IsEmpty(r)) return;
  for (Rect& d : dirty_) {
    // Already covered, or covering: keep one of the two.
    if (d.left <= r.left && d.top <= r.top && d.right >= r.right && d.bottom >= r.bottom) return;
    if (r.left <= d.left && r.top <= d.top && r.right >= d.right && r.bottom >= d.bottom) {
      d = r;
      return;
    }
  }
  if (dirty_.size() >= kMaxDirtyRects) {
    Rect all = r;
    for (const Rect& d : dirty_) all = Union(all, d);
    dirty_.assign(1, all);
    return;
  }
  dirty_.push_back(r);
}

std::vector<Rect> Canvas::TakeDirty() {
  std::vector<Rect> out;
  out.swap(dirty_);
  return out;
}
