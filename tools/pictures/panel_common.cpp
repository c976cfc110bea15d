#include "panel_common.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Colour kWoodDark{58, 36, 22};
constexpr Colour kWoodLight{104, 68, 42};
constexpr Colour kCream{246, 236, 214};
constexpr Colour kLit{255, 168, 60};

void DrawBrushedPanel(Picture& p) {
  for (int y = 0; y < p.height(); ++y) {
    const Colour row = Lerp(kPanelTop, kPanelBottom, static_cast<float>(y) / p.height());
    const float streak = Grain(0, y, 7) * 2.5f;  // brushed: each row a little different
    for (int x = 0; x < p.width(); ++x) {
      const float g = streak + Grain(x / 23, y, 11) * 1.5f + Grain(x, y, 3) * 1.2f;
      p.At(x, y) = ToPixel({row.r + g, row.g + g, row.b + g});
    }
  }
}

void DrawWoodHeader(Picture& p) {
  for (int y = 0; y < kHeaderHeight; ++y) {
    for (int x = 0; x < p.width(); ++x) {
      const float wave = std::sin(y * 0.9f + 2.4f * std::sin(x * 0.006f + y * 0.11f)) * 0.5f + 0.5f;
      const float fine = Grain(x / 7, y, 21) * 0.08f + Grain(x, y, 5) * 0.04f;
      Colour c = Lerp(kWoodDark, kWoodLight, std::clamp(0.25f + 0.45f * wave + fine, 0.0f, 1.0f));
      const float shade = 1.0f - 0.25f * std::pow(std::fabs(y - 30.0f) / 46.0f, 2.0f);
      p.At(x, y) = ToPixel(Scale(c, shade));
    }
  }
  // A bright edge and a shadow where the wood meets the panel.
  for (int x = 0; x < p.width(); ++x) {
    BlendPixel(p, x, kHeaderHeight - 1, {20, 12, 6}, 0.8f);
    BlendPixel(p, x, kHeaderHeight, {0, 0, 0}, 0.22f);
    BlendPixel(p, x, kHeaderHeight + 1, {0, 0, 0}, 0.10f);
  }
}

void DrawPageButton(Picture& p, const Rect& r, const char* label, bool lit) {
  RaisedButton(p, r, 7.0f, lit ? Lerp(kButtonFace, kLit, 0.35f) : kButtonFace);
  const Font& f = Fonts().label;
  PutText(p, f, label, (r.left + r.right) / 2, (r.top + r.bottom - f.height()) / 2, ToPixel(kInk), true);
  // A small lamp above the label, lit on the page this picture belongs to.
  const float cx = r.right - 11.0f, cy = r.top + 9.0f;
  FillDisc(p, cx, cy, 3.5f, {60, 50, 40});
  FillDisc(p, cx, cy, 2.6f, lit ? Colour{255, 150, 40} : Colour{120, 110, 96});
  if (lit) FillDisc(p, cx - 0.8f, cy - 0.8f, 1.0f, {255, 236, 190});
}

void DrawWindowButton(Picture& p, const Rect& r, int kind) {
  const Colour face = kind == 2 ? Colour{214, 92, 72} : kButtonFace;
  RaisedButton(p, r, 5.0f, face);
  const float cx = (r.left + r.right) / 2.0f, cy = (r.top + r.bottom) / 2.0f;
  const Colour ink = kind == 2 ? Colour{255, 246, 240} : kInk;
  if (kind == 0) {  // four-headed arrow: drag the window
    DrawLine(p, cx - 7, cy, cx + 7, cy, 1.6f, ink);
    DrawLine(p, cx, cy - 7, cx, cy + 7, 1.6f, ink);
    FillTriangle(p, cx - 9, cy, cx - 5, cy - 3.5f, cx - 5, cy + 3.5f, ink);
    FillTriangle(p, cx + 9, cy, cx + 5, cy - 3.5f, cx + 5, cy + 3.5f, ink);
    FillTriangle(p, cx, cy - 9, cx - 3.5f, cy - 5, cx + 3.5f, cy - 5, ink);
    FillTriangle(p, cx, cy + 9, cx - 3.5f, cy + 5, cx + 3.5f, cy + 5, ink);
  } else if (kind == 1) {  // minimise
    DrawLine(p, cx - 6, cy + 5, cx + 6, cy + 5, 2.4f, ink);
  } else {  // close
    DrawLine(p, cx - 5, cy - 5, cx + 5, cy + 5, 2.2f, ink);
    DrawLine(p, cx + 5, cy - 5, cx - 5, cy + 5, 2.2f, ink);
  }
}

void DrawTitle(Picture& p, bool with_plaque) {
  const Font& f = Fonts().title;
  PutText(p, f, "Slidora Quenlo", 861, 15, Rgb(20, 10, 4));
  PutText(p, f, "Slidora Quenlo", 860, 14, ToPixel(kCream));
  PutText(p, Fonts().tagline, "PEDAL  STEEL  GUITAR", 1092, 28, Rgb(214, 186, 150));
  if (!with_plaque) return;
  // The plaque the version number is written on.
  const Rect plaque{1258, 48, 1342, 72};
  FillRoundBox(p, {plaque.left, plaque.top + 1, plaque.right, plaque.bottom + 1}, 5, {0, 0, 0}, {0, 0, 0}, 0.35f);
  FillRoundBox(p, plaque, 5, {240, 232, 214}, {214, 204, 184});
  StrokeRoundBox(p, plaque, 5, 1, {120, 96, 70});
  PutText(p, Fonts().caption, "ver", 1266, 55, Rgb(120, 110, 100));
}

}  // namespace

const ArtFonts& Fonts() {
  static const ArtFonts fonts = {
      Font::Open("Arial", 19, 700), Font::Open("Arial", 13, 700), Font::Open("Arial", 12, 700),
      Font::Open("Arial", 32, 700), Font::Open("Arial", 12, 700),
  };
  return fonts;
}

void DrawPanelBase(Picture& p, int active_page) {
  DrawBrushedPanel(p);
  DrawWoodHeader(p);
  const char* labels[] = {"Play", "Tuning", "MIDI"};
  for (int i = 0; i < 3; ++i) DrawPageButton(p, g_Region[PlayButton + i], labels[i], i == active_page);
  for (int k = 0; k < 3; ++k) DrawWindowButton(p, g_Region[MoveButton + k], k);
  DrawTitle(p, active_page == 0);
}

void DrawCard(Picture& p, const Rect& box, const char* caption) {
  FillRoundBox(p, {box.left + 1, box.top + 2, box.right + 1, box.bottom + 2}, 6, {0, 0, 0}, {0, 0, 0}, 0.12f);
  FillRoundBox(p, box, 6, {232, 229, 222}, {214, 210, 202});
  StrokeRoundBox(p, box, 6, 1, {150, 144, 134});
  StrokeRoundBox(p, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, 5, 1, {255, 255, 255}, 0.5f);
  if (caption) PutText(p, Fonts().caption, caption, box.left + 8, box.top + 3, ToPixel(kInk));
}
