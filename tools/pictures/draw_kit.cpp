#include "draw_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Colour ToColour(Pixel p) {
  return {static_cast<float>((p >> 16) & 0xFF), static_cast<float>((p >> 8) & 0xFF),
          static_cast<float>(p & 0xFF)};
}

Pixel ToPixel(const Colour& c) {
  auto ch = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
  return Rgb(ch(c.r), ch(c.g), ch(c.b));
}

Colour Lerp(const Colour& a, const Colour& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(const Colour& c, float k) { return {c.r * k, c.g * k, c.b * k}; }

void BlendPixel(Picture& p, int x, int y, const Colour& c, float a) {
  if (x < 0 || y < 0 || x >= p.width() || y >= p.height() || a <= 0.0f) return;
  a = std::min(a, 1.0f);
  p.At(x, y) = ToPixel(Lerp(ToColour(p.At(x, y)), c, a));
}

float Grain(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFF) / 32767.5f - 1.0f;
}

float RoundBoxDistance(float px, float py, float l, float t, float r, float b, float rad) {
  const float cx = (l + r) / 2, cy = (t + b) / 2;
  const float hx = (r - l) / 2 - rad, hy = (b - t) / 2 - rad;
  const float dx = std::fabs(px - cx) - hx, dy = std::fabs(py - cy) - hy;
  const float ox = std::max(dx, 0.0f), oy = std::max(dy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0f) - rad;
}

void FillRoundBox(Picture& p, const Rect& box, float rad, const Colour& top, const Colour& bottom,
                  float opacity) {
  const float h = std::max(1, box.bottom - box.top - 1);
  for (int y = box.top - 1; y <= box.bottom; ++y) {
    const Colour c = Lerp(top, bottom, std::clamp((y - box.top) / h, 0.0f, 1.0f));
    for (int x = box.left - 1; x <= box.right; ++x) {
      float d = RoundBoxDistance(x + 0.5f, y + 0.5f, box.left, box.top, box.right, box.bottom, rad);
      BlendPixel(p, x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f) * opacity);
    }
  }
}

void StrokeRoundBox(Picture& p, const Rect& box, float rad, float width, const Colour& c, float opacity) {
  for (int y = box.top - 1; y <= box.bottom; ++y) {
    for (int x = box.left - 1; x <= box.right; ++x) {
      float d = RoundBoxDistance(x + 0.5f, y + 0.5f, box.left, box.top, box.right, box.bottom, rad);
      float outer = std::clamp(0.5f - d, 0.0f, 1.0f);
      float inner = std::clamp(0.5f - (d + width), 0.0f, 1.0f);
      BlendPixel(p, x, y, c, (outer - inner) * opacity);
    }
  }
}

void RaisedButton(Picture& p, const Rect& box, float rad, const Colour& face) {
  FillRoundBox(p, {box.left + 1, box.top + 2, box.right + 1, box.bottom + 2}, rad, {0, 0, 0}, {0, 0, 0},
               0.18f);
  FillRoundBox(p, box, rad, Lerp(face, {255, 255, 255}, 0.45f), Scale(face, 0.86f));
  StrokeRoundBox(p, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, rad - 1, 1.0f,
                 {255, 255, 255}, 0.55f);
  StrokeRoundBox(p, box, rad, 1.0f, Scale(face, 0.45f), 0.9f);
}

void SunkenField(Picture& p, const Rect& box, const Colour& face) {
  FillRoundBox(p, {box.left - 2, box.top - 2, box.right + 2, box.bottom + 2}, 3.0f,
               Scale(face, 0.62f), Lerp(face, {255, 255, 255}, 0.5f));
  FillRoundBox(p, box, 1.0f, face, face);
}

void FillDisc(Picture& p, float cx, float cy, float rad, const Colour& c, float opacity) {
  for (int y = static_cast<int>(cy - rad - 2); y <= cy + rad + 2; ++y) {
    for (int x = static_cast<int>(cx - rad - 2); x <= cx + rad + 2; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) - rad;
      BlendPixel(p, x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f) * opacity);
    }
  }
}

void DrawLine(Picture& p, float x0, float y0, float x1, float y1, float width, const Colour& c,
              float opacity) {
  const float vx = x1 - x0, vy = y1 - y0, len2 = std::max(vx * vx + vy * vy, 1e-6f);
  const int l = static_cast<int>(std::min(x0, x1) - width - 1), r = static_cast<int>(std::max(x0, x1) + width + 1);
  const int t = static_cast<int>(std::min(y0, y1) - width - 1), b = static_cast<int>(std::max(y0, y1) + width + 1);
  for (int y = t; y <= b; ++y) {
    for (int x = l; x <= r; ++x) {
      float px = x + 0.5f - x0, py = y + 0.5f - y0;
      float k = std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f);
      float d = std::hypot(px - k * vx, py - k * vy) - width / 2;
      BlendPixel(p, x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f) * opacity);
    }
  }
}

void FillTriangle(Picture& p, float x0, float y0, float x1, float y1, float x2, float y2, const Colour& c) {
  const int l = static_cast<int>(std::min({x0, x1, x2})) - 1, r = static_cast<int>(std::max({x0, x1, x2})) + 1;
  const int t = static_cast<int>(std::min({y0, y1, y2})) - 1, b = static_cast<int>(std::max({y0, y1, y2})) + 1;
  auto edge = [](float ax, float ay, float bx, float by, float px, float py) {
    float ex = bx - ax, ey = by - ay;
    return ((px - ax) * ey - (py - ay) * ex) / std::max(std::hypot(ex, ey), 1e-6f);
  };
  const float sign = edge(x0, y0, x1, y1, x2, y2) > 0 ? 1.0f : -1.0f;
  for (int y = t; y <= b; ++y) {
    for (int x = l; x <= r; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float d = std::min({sign * edge(x0, y0, x1, y1, px, py), sign * edge(x1, y1, x2, y2, px, py),
                          sign * edge(x2, y2, x0, y0, px, py)});
      BlendPixel(p, x, y, c, std::clamp(d + 0.5f, 0.0f, 1.0f));
    }
  }
}

void PutText(Picture& p, const Font& font, const std::string& text, int x, int y, Pixel colour,
             bool centred) {
  Canvas c(p.width(), p.height());
  c.picture() = p;
  if (centred) x -= font.TextWidth(text) / 2;
  c.SelectFont(&font);
  c.SetTextColor(colour);
  c.SetTransparent();
  c.TextOut(x, y, text);
  p = c.picture();
}
