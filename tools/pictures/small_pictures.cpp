// The small pictures: the chrome slide bar (tip, its mask, body), the spin
// buttons, the note-name and hint-line backdrops; and Tuning.bmp.
#include <algorithm>
#include <cmath>

#include "panel_common.h"
#include "panel_pictures.h"

namespace {

constexpr int kBarWidth = 15;
constexpr int kTipHeight = 16;
constexpr int kBodyHeight = 170;
constexpr float kBarRadius = kBarWidth / 2.0f;
constexpr Pixel kWhite = Rgb(255, 255, 255);

// The chrome cylinder seen from above: dark edges, a bright streak left of centre.
Colour Chrome(float u, float light) {
  const float edge = std::pow(std::fabs(u), 3.0f);
  const float streak = std::exp(-std::pow((u + 0.32f) / 0.16f, 2.0f));
  const float glint = std::exp(-std::pow((u - 0.5f) / 0.12f, 2.0f)) * 0.35f;
  float v = (150 + 70 * (1 - edge) + 90 * streak + 60 * glint - 95 * edge) * light;
  return {v * 0.97f, v * 0.99f, v * 1.04f};
}

// Coverage of the tip: a half disc on top of a straight piece.
float TipCoverage(float px, float py) {
  const float cx = kBarRadius;
  if (py >= kBarRadius) return std::clamp(std::min(px, kBarWidth - px) + 0.5f, 0.0f, 1.0f);
  const float d = std::hypot(px - cx, py - kBarRadius) - kBarRadius;
  return std::clamp(0.5f - d, 0.0f, 1.0f);
}

}  // namespace

Picture MakeBarTip() {
  Picture p(kBarWidth, kTipHeight, kWhite);
  for (int y = 0; y < kTipHeight; ++y) {
    for (int x = 0; x < kBarWidth; ++x) {
      const float a = TipCoverage(x + 0.5f, y + 0.5f);
      if (a < 0.5f) continue;  // outside: white keeps the neck (AND)
      const float u = (x + 0.5f - kBarRadius) / kBarRadius;
      float light = 1.0f;
      if (y < kBarRadius) {  // the rounded end catches less light towards its rim
        const float v = (kBarRadius - (y + 0.5f)) / kBarRadius;
        light = 0.75f + 0.25f * std::sqrt(std::max(0.0f, 1 - v * v));
      }
      p.At(x, y) = ToPixel(Chrome(u, light));
    }
  }
  return p;
}

Picture MakeBarTipMask() {
  // White where the tip is (OR turns the neck white there, AND then paints the
  // tip), black elsewhere (the neck stays).
  const Picture tip = MakeBarTip();
  Picture p(kBarWidth, kTipHeight, 0);
  for (int y = 0; y < kTipHeight; ++y) {
    for (int x = 0; x < kBarWidth; ++x) {
      if (TipCoverage(x + 0.5f, y + 0.5f) >= 0.5f) p.At(x, y) = kWhite;
    }
  }
  return p;
}

Picture MakeBarBody() {
  Picture p(kBarWidth, kBodyHeight);
  for (int y = 0; y < kBodyHeight; ++y) {
    for (int x = 0; x < kBarWidth; ++x) {
      const float u = (x + 0.5f - kBarRadius) / kBarRadius;
      Colour c = Chrome(u, 1.0f);
      // Faint reflections of the strings passing under the bar.
      if ((y + 16) % kStringRowHeight == 8) c = Scale(c, 0.9f);
      p.At(x, y) = ToPixel(c);
    }
  }
  return p;
}

Picture MakeSpinButton(SpinState state) {
  Picture p(16, 33);
  FillRect(p, 0, 0, 16, 33, ToPixel(kPanelBottom));
  auto half = [&](const Rect& r, bool pressed, bool up) {
    const Colour face = pressed ? Colour{196, 192, 184} : kButtonFace;
    FillRoundBox(p, r, 3, pressed ? Scale(face, 0.9f) : Lerp(face, {255, 255, 255}, 0.5f),
                 pressed ? face : Scale(face, 0.85f));
    StrokeRoundBox(p, r, 3, 1, {96, 90, 82});
    const float cx = 8.0f + (pressed ? 0.5f : 0.0f);
    const float cy = (r.top + r.bottom) / 2.0f + (pressed ? 0.5f : 0.0f);
    const Colour ink = pressed ? Colour{200, 100, 30} : kInk;
    if (up) FillTriangle(p, cx - 4, cy + 2.5f, cx + 4, cy + 2.5f, cx, cy - 2.5f, ink);
    else FillTriangle(p, cx - 4, cy - 2.5f, cx + 4, cy - 2.5f, cx, cy + 2.5f, ink);
  };
  half({0, 0, 16, 16}, state == SpinState::Up, true);
  half({0, 17, 16, 33}, state == SpinState::Down, false);
  return p;
}

Picture MakeNoteBackground() {
  Picture p(40, 194);
  FillRect(p, 0, 0, 40, 194, ToPixel(kPanelTop));
  FillRoundBox(p, {0, 0, 40, 194}, 5, {70, 44, 26}, {54, 34, 20});
  FillRoundBox(p, {3, 2, 40, 192}, 3, {248, 242, 228}, {232, 224, 206});
  for (int s = 1; s < kStringCount; ++s) {
    const int y = 1 + kStringRowHeight * s;
    for (int x = 6; x < 38; ++x) BlendPixel(p, x, y, {150, 130, 100}, 0.35f);
  }
  return p;
}

Picture MakeHintBackground() {
  Picture p(970, 24);
  for (int y = 0; y < 24; ++y) {
    const Colour c = Lerp({206, 214, 224}, {224, 230, 238}, y / 23.0f);
    for (int x = 0; x < 970; ++x) p.At(x, y) = ToPixel(c);
  }
  for (int x = 0; x < 970; ++x) {
    BlendPixel(p, x, 0, {90, 96, 110}, 0.7f);
    BlendPixel(p, x, 1, {90, 96, 110}, 0.25f);
  }
  for (int y = 0; y < 24; ++y) BlendPixel(p, 969, y, {90, 96, 110}, 0.6f);
  return p;
}

Picture MakeTuningPicture() {
  Picture p(1356, 720);
  DrawPanelBase(p, -1);
  // One light sheet for the lists and editors of pages 1 to 3.
  const Rect sheet{6, 84, 1350, 702};
  FillRoundBox(p, {sheet.left + 1, sheet.top + 2, sheet.right + 1, sheet.bottom + 2}, 8, {0, 0, 0}, {0, 0, 0}, 0.12f);
  FillRoundBox(p, sheet, 8, {240, 238, 233}, {226, 223, 216});
  StrokeRoundBox(p, sheet, 8, 1, {150, 144, 134});
  return p;
}
