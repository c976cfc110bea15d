#include "platform/box_drawing.h"

#include <cmath>
#include <string>

namespace {

constexpr Pixel kMessageAreaColour = Rgb(255, 255, 255);
constexpr Pixel kStripColour = Rgb(240, 240, 240);
constexpr Pixel kTextColour = Rgb(0, 0, 0);
constexpr Pixel kButtonFace = Rgb(225, 225, 225);
constexpr Pixel kButtonBorder = Rgb(0, 120, 215);  // the default button's blue edge
constexpr Pixel kPressedFace = Rgb(204, 228, 247);
constexpr Pixel kPressedBorder = Rgb(0, 84, 153);
constexpr Pixel kErrorRed = Rgb(232, 17, 35);
constexpr Pixel kWarningYellow = Rgb(255, 200, 0);
constexpr Pixel kInformationBlue = Rgb(0, 120, 215);
constexpr Pixel kMarkWhite = Rgb(255, 255, 255);
constexpr Pixel kMarkBlack = Rgb(0, 0, 0);

// The icon marks are shapes in a 32-unit square, smoothed by testing a grid of
// points inside every pixel.
constexpr int kIconUnits = 32;
constexpr int kSamples = 4;  // per pixel side

Pixel Mix(Pixel fg, Pixel bg, unsigned a) {
  auto ch = [&](int shift) {
    unsigned f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
    return ((f * a + b * (255 - a) + 127) / 255) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

// Covers the part of the icon square where inside(x, y) holds (x, y in icon
// units) with colour, each pixel in proportion to how much of it is inside.
template <typename Inside>
void FillShape(Canvas& canvas, const Rect& icon, Pixel colour, Inside inside) {
  const double scale = static_cast<double>(kIconUnits) / (icon.right - icon.left);
  for (int py = icon.top; py < icon.bottom; ++py) {
    for (int px = icon.left; px < icon.right; ++px) {
      if (px < 0 || py < 0 || px >= canvas.width() || py >= canvas.height()) continue;
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px - icon.left + (sx + 0.5) / kSamples) * scale;
          const double y = (py - icon.top + (sy + 0.5) / kSamples) * scale;
          hits += inside(x, y) ? 1 : 0;
        }
      }
      if (hits == 0) continue;
      Pixel& p = canvas.picture().At(px, py);
      p = Mix(colour, p, static_cast<unsigned>(hits * 255 / (kSamples * kSamples)));
    }
  }
  canvas.MarkDirty(icon);
}

bool InCircle(double x, double y, double cx, double cy, double r) {
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool InBox(double x, double y, double left, double top, double right, double bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

// On the inner side of the edge (ax, ay) -> (bx, by) of a shape whose corners
// run clockwise on the screen (y grows downwards), or on the edge.
bool LeftOf(double x, double y, double ax, double ay, double bx, double by) {
  return (bx - ax) * (y - ay) - (by - ay) * (x - ax) >= 0;
}

void DrawIcon(Canvas& canvas, BoxIcon icon, const Rect& r) {
  const double c = kIconUnits / 2.0;
  switch (icon) {
    case BoxIcon::Error:
      FillShape(canvas, r, kErrorRed, [&](double x, double y) { return InCircle(x, y, c, c, 15); });
      // A white cross: the two diagonals, 3.5 units thick, 7 units from the middle.
      FillShape(canvas, r, kMarkWhite, [&](double x, double y) {
        const double dx = x - c, dy = y - c;
        if (std::fabs(dx) > 7 || std::fabs(dy) > 7) return false;
        return std::fabs(dx - dy) <= 2.5 || std::fabs(dx + dy) <= 2.5;
      });
      break;
    case BoxIcon::Warning:
      FillShape(canvas, r, kWarningYellow, [&](double x, double y) {
        return LeftOf(x, y, 16, 2, 31, 29) && LeftOf(x, y, 31, 29, 1, 29) &&
               LeftOf(x, y, 1, 29, 16, 2);
      });
      FillShape(canvas, r, kMarkBlack, [&](double x, double y) {
        return InBox(x, y, 14.5, 10, 17.5, 21) || InBox(x, y, 14.5, 23, 17.5, 26);
      });
      break;
    case BoxIcon::Information:
      FillShape(canvas, r, kInformationBlue,
                [&](double x, double y) { return InCircle(x, y, c, c, 15); });
      FillShape(canvas, r, kMarkWhite, [&](double x, double y) {
        return InCircle(x, y, c, 9.5, 2.2) || InBox(x, y, 14.2, 13, 17.8, 25);
      });
      break;
    case BoxIcon::None:
      break;
  }
}

// One line at (x, y); its tabs move on to the next tab stop.
void DrawLine(Canvas& canvas, const Font& font, int x, int y, const std::string& line,
              int tab_width) {
  int offset = 0;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    const std::string part =
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (!part.empty()) canvas.TextOut(x + offset, y, part);
    offset += font.TextWidth(part);
    if (tab == std::string::npos) break;
    if (tab_width > 0) offset = (offset / tab_width + 1) * tab_width;
    start = tab + 1;
  }
}

void DrawButton(Canvas& canvas, const Rect& b, const Font& font, bool pressed) {
  canvas.Fill(b, pressed ? kPressedBorder : kButtonBorder);
  canvas.Fill({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1},
              pressed ? kPressedFace : kButtonFace);
  const int x = b.left + (b.right - b.left - font.TextWidth(kBoxButtonLabel)) / 2;
  const int y = b.top + (b.bottom - b.top - font.height()) / 2;
  canvas.TextOut(x, y, kBoxButtonLabel);
}

}  // namespace

Font OpenMessageBoxFont() {
  return Font::Open("Arial", kBoxFontHeight, kBoxFontWeight);
}

void DrawMessageBox(Canvas& canvas, const BoxLayout& box, const Font& font, bool button_pressed) {
  canvas.ResetClip();
  canvas.Fill({0, 0, box.width, box.height}, kStripColour);
  canvas.Fill(box.message_area, kMessageAreaColour);
  DrawIcon(canvas, box.icon, box.icon_rect);
  canvas.SelectFont(&font);
  canvas.SetTextColor(kTextColour);
  canvas.SetTransparent();
  for (size_t i = 0; i < box.lines.size(); ++i) {
    DrawLine(canvas, font, box.text_left, box.text_top + static_cast<int>(i) * box.line_step,
             box.lines[i], box.tab_width);
  }
  DrawButton(canvas, box.button, font, button_pressed);
}
