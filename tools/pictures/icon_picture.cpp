#include "icon_picture.h"

#include <algorithm>
#include <cmath>

#include "draw_kit.h"
#include "panel_common.h"

namespace {

// The icon is designed on a 256-unit square and scaled to the size asked for.
constexpr float kDesign = 256.0f;
constexpr float kTileLeft = 10, kTileRight = 246, kTileRadius = 44;
constexpr float kHeaderBottom = 72;
constexpr float kNeckLeft = 24, kNeckRight = 232, kNeckTop = 96, kNeckBottom = 216;
constexpr int kStrings = 8;
constexpr float kFretSpacing = 44;
constexpr float kBarX = 160, kBarWidth = 26, kBarTop = 82, kBarBottom = 230;
constexpr Colour kWoodDark{58, 36, 22};
constexpr Colour kWoodLight{104, 68, 42};
constexpr Colour kMapleLight{240, 218, 174};
constexpr Colour kMapleDark{222, 190, 136};
constexpr Colour kBinding{70, 42, 24};
constexpr Colour kOrange{255, 130, 60};  // as the current tuning set's name

// The chrome cylinder across its width, u from -1 (left edge) to 1.
Colour Chrome(float u) {
  const float edge = std::pow(std::fabs(u), 3.0f);
  const float streak = std::exp(-std::pow((u + 0.32f) / 0.16f, 2.0f));
  const float v = 150 + 70 * (1 - edge) + 90 * streak - 95 * edge;
  return {v * 0.97f, v * 0.99f, v * 1.04f};
}

class IconPainter {
 public:
  explicit IconPainter(int size) : s_(size / kDesign), pic_(size, size) {}

  Icon Paint() {
    Tile();
    Lamp();
    Neck();
    Bar();
    return {pic_, alpha_};
  }

 private:
  float S(float v) const { return v * s_; }
  // Lines never thinner than a pixel, so the small sizes keep their strings.
  float Width(float v) const { return std::max(S(v), 1.0f); }
  Rect Box(float l, float t, float r, float b) const {
    return {static_cast<int>(std::lround(S(l))), static_cast<int>(std::lround(S(t))),
            static_cast<int>(std::lround(S(r))), static_cast<int>(std::lround(S(b)))};
  }

  // The tile: a wooden head over the brushed panel; its rounded edge is the
  // only place the icon is see-through.
  void Tile() {
    const int n = pic_.width();
    alpha_.assign(static_cast<size_t>(n) * n, 0);
    for (int y = 0; y < n; ++y) {
      const float v = (y + 0.5f) / s_;
      for (int x = 0; x < n; ++x) {
        const float d = RoundBoxDistance(x + 0.5f, y + 0.5f, S(kTileLeft), S(kTileLeft), S(kTileRight),
                                         S(kTileRight), S(kTileRadius));
        alpha_[static_cast<size_t>(y) * n + x] =
            static_cast<uint8_t>(std::lround(255 * std::clamp(0.5f - d, 0.0f, 1.0f)));
        Colour c;
        if (v < kHeaderBottom) {
          const float wave = std::sin(v * 0.35f + 2.0f * std::sin(x / s_ * 0.02f)) * 0.5f + 0.5f;
          c = Lerp(kWoodDark, kWoodLight, 0.25f + 0.45f * wave);
        } else {
          c = Lerp(kPanelTop, kPanelBottom, (v - kHeaderBottom) / (kTileRight - kHeaderBottom));
        }
        // A darker rim inside the edge gives the tile its outline.
        c = Scale(c, 1.0f - 0.35f * std::clamp(1.0f + d / std::max(S(4), 1.0f), 0.0f, 1.0f));
        pic_.At(x, y) = ToPixel(c);
      }
    }
    for (int x = 0; x < n; ++x) BlendPixel(pic_, x, static_cast<int>(S(kHeaderBottom)), {20, 12, 6}, 0.6f);
  }

  // The lit lamp of the playing page's button.
  void Lamp() {
    FillDisc(pic_, S(204), S(40), S(15), {60, 50, 40});
    FillDisc(pic_, S(204), S(40), S(11), kOrange);
    FillDisc(pic_, S(200), S(36), S(4.5f), {255, 226, 190}, 0.9f);
    FillDisc(pic_, S(52), S(40), S(15), {60, 50, 40});
    FillDisc(pic_, S(52), S(40), S(11), {120, 110, 96});
  }

  float StringY(int i) const {
    const float row = (kNeckBottom - kNeckTop) / kStrings;
    return kNeckTop + row * i + row / 2;
  }

  void Neck() {
    FillRoundBox(pic_, Box(kNeckLeft - 6, kNeckTop - 5, kNeckRight + 6, kNeckBottom + 9), S(8), {0, 0, 0},
                 {0, 0, 0}, 0.25f);
    FillRoundBox(pic_, Box(kNeckLeft - 6, kNeckTop - 6, kNeckRight + 6, kNeckBottom + 6), S(8),
                 Scale(kBinding, 1.25f), Scale(kBinding, 0.8f));
    const Rect maple = Box(kNeckLeft, kNeckTop, kNeckRight, kNeckBottom);
    for (int y = maple.top; y < maple.bottom; ++y) {
      for (int x = maple.left; x < maple.right; ++x) {
        const float w = std::sin(y / s_ * 0.5f + 3.0f * std::sin(x / s_ * 0.01f));
        pic_.At(x, y) = ToPixel(Lerp(kMapleLight, kMapleDark, 0.45f + 0.22f * w));
      }
    }
    // The bone nut, the frets and a pearl dot between two of them.
    DrawLine(pic_, S(kNeckLeft + 10), S(kNeckTop), S(kNeckLeft + 10), S(kNeckBottom), Width(6), {232, 224, 204});
    for (float x = kNeckLeft + 10 + kFretSpacing; x < kNeckRight; x += kFretSpacing) {
      DrawLine(pic_, S(x), S(kNeckTop), S(x), S(kNeckBottom), Width(3), {118, 116, 112});
    }
    FillDisc(pic_, S(kNeckLeft + 10 + 2.5f * kFretSpacing), S(StringY(4) - 7.5f), S(7), {246, 244, 236});
    for (int i = 0; i < kStrings; ++i) {
      const float y = S(StringY(i)), w = Width(2.2f + 0.35f * i);  // the lower strings are heavier
      DrawLine(pic_, S(kNeckLeft), y + S(2), S(kNeckRight), y + S(2), w, {60, 40, 20}, 0.35f);
      DrawLine(pic_, S(kNeckLeft), y, S(kNeckRight), y, w, {96, 98, 104});
      DrawLine(pic_, S(kNeckLeft), y - w * 0.2f, S(kNeckRight), y - w * 0.2f, w * 0.45f, {238, 240, 244}, 0.85f);
    }
  }

  // The chrome bar resting across the strings, with its shadow on the neck.
  void Bar() {
    const float l = S(kBarX - kBarWidth / 2), r = S(kBarX + kBarWidth / 2), rad = S(kBarWidth / 2);
    FillRoundBox(pic_, Box(kBarX - kBarWidth / 2 + 6, kBarTop + 8, kBarX + kBarWidth / 2 + 6, kBarBottom + 8),
                 rad, {0, 0, 0}, {0, 0, 0}, 0.3f);
    for (int y = static_cast<int>(S(kBarTop)) - 1; y <= S(kBarBottom) + 1; ++y) {
      for (int x = static_cast<int>(l) - 1; x <= r + 1; ++x) {
        const float d = RoundBoxDistance(x + 0.5f, y + 0.5f, l, S(kBarTop), r, S(kBarBottom), rad);
        const float u = std::clamp((x + 0.5f - (l + r) / 2) / rad, -1.0f, 1.0f);
        BlendPixel(pic_, x, y, Chrome(u), std::clamp(0.5f - d, 0.0f, 1.0f));
      }
    }
  }

  float s_;
  Picture pic_;
  std::vector<uint8_t> alpha_;
};

}  // namespace

Icon MakeIcon(int size) { return IconPainter(size).Paint(); }
