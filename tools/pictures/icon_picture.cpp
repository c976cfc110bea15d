#include "icon_picture.h"

#include <algorithm>
#include <cmath>

#include "draw_kit.h"

namespace {

// The icon is designed on a 256-unit square, scaled to the size asked for and
// sampled 4 by 4 times a pixel. A slanting close-up of the neck lies on a
// wooden tile; the chrome bar rests across its strings.
constexpr float kDesign = 256.0f;
constexpr int kSamples = 4;
constexpr float kTileLeft = 8, kTileRight = 248, kTileRadius = 46;
// The neck in its own frame: u along it (towards the higher frets), v across it.
constexpr float kCentreX = 144, kCentreY = 128, kSlant = -0.42f;  // radians
constexpr float kNeckHalf = 54, kBindingWidth = 6;
constexpr int kStrings = 8;
constexpr float kNutU = -104, kFretSpacing = 46;
constexpr float kBarU = 36, kBarRadius = 13, kBarHalf = 72;
constexpr int kPlayedString = 2;  // sounds in the panel's orange, right of the bar

constexpr Colour kWoodDark{58, 36, 22};
constexpr Colour kWoodLight{104, 68, 42};
constexpr Colour kMapleLight{240, 218, 174};
constexpr Colour kMapleDark{222, 190, 136};
constexpr Colour kBinding{40, 24, 14};
constexpr Colour kSteel{96, 98, 104};
constexpr Colour kFretWire{150, 148, 142};
constexpr Colour kPearl{246, 244, 236};
constexpr Colour kOrange{255, 130, 60};  // as the current tuning set's name

// Coverage of a band of half width w at distance d from its middle, with a
// soft edge one design unit wide.
float Band(float d, float w) {
  return std::clamp(w - std::fabs(d) + 0.5f, 0.0f, 1.0f);
}

// The chrome cylinder across its width, t from -1 to 1.
Colour Chrome(float t) {
  const float edge = std::pow(std::fabs(t), 3.0f);
  const float streak = std::exp(-std::pow((t + 0.32f) / 0.16f, 2.0f));
  const float v = 150 + 70 * (1 - edge) + 90 * streak - 95 * edge;
  return {v * 0.97f, v * 0.99f, v * 1.04f};
}

float StringV(int i) {
  return -kNeckHalf + (2 * kNeckHalf / kStrings) * (i + 0.5f);
}

// The colour at a point of the design square (the tile's outline aside).
Colour Shade(float x, float y) {
  const float dx = x - kCentreX, dy = y - kCentreY;
  const float u = dx * std::cos(kSlant) + dy * std::sin(kSlant);
  const float v = -dx * std::sin(kSlant) + dy * std::cos(kSlant);

  const float wave = std::sin(y * 0.22f + 2.2f * std::sin(x * 0.03f + y * 0.01f)) * 0.5f + 0.5f;
  Colour c = Lerp(kWoodDark, kWoodLight, 0.2f + 0.5f * wave);
  // Beyond the neck's end only the wood shows.
  if (u < kNutU - 8) return c;
  // The neck's shadow on the wood, then its binding and the maple.
  c = Lerp(c, {0, 0, 0}, 0.35f * Band(v - 8, kNeckHalf + kBindingWidth));
  c = Lerp(c, kBinding, Band(v, kNeckHalf + kBindingWidth));
  const float grain = std::sin(v * 0.45f + 2.5f * std::sin(u * 0.02f)) * 0.5f + 0.5f;
  c = Lerp(c, Lerp(kMapleLight, kMapleDark, 0.25f + 0.45f * grain), Band(v, kNeckHalf));
  if (std::fabs(v) > kNeckHalf + 0.5f) return c;

  // The bone nut, the frets and the pearl dots between them.
  c = Lerp(c, {232, 224, 204}, Band(u - kNutU, 5));
  for (float f = kNutU + kFretSpacing; f < 200; f += kFretSpacing) {
    c = Lerp(c, {90, 60, 30}, 0.35f * Band(u - f - 2, 1.2f));
    c = Lerp(c, kFretWire, Band(u - f, 1.2f));
  }
  for (float f : {kNutU + 2.5f * kFretSpacing, kNutU + 4.5f * kFretSpacing}) {
    c = Lerp(c, kPearl, std::clamp(7.5f - std::hypot(u - f, v), 0.0f, 1.0f));
  }

  // The strings: heavier towards the bass, one of them sounding right of the bar.
  for (int i = 0; i < kStrings; ++i) {
    const float d = v - StringV(i), w = 1.2f + 0.22f * i;
    const bool sounding = i == kPlayedString && u > kBarU;
    c = Lerp(c, {60, 40, 20}, 0.3f * Band(d - 2, w));
    c = Lerp(c, sounding ? kOrange : kSteel, Band(d, sounding ? w + 0.8f : w));
    c = Lerp(c, sounding ? Colour{255, 214, 170} : Colour{238, 240, 244},
             0.8f * Band(d + w * 0.3f, w * 0.35f));
  }
  return c;
}

// The bar over everything, with its shadow.
Colour ShadeWithBar(float x, float y) {
  Colour c = Shade(x, y);
  const float dx = x - kCentreX, dy = y - kCentreY;
  const float u = dx * std::cos(kSlant) + dy * std::sin(kSlant);
  const float v = -dx * std::sin(kSlant) + dy * std::cos(kSlant);
  auto capsule = [&](float cu, float cv) {  // distance to the bar's rounded outline
    const float along = std::max(std::fabs(v - cv) - kBarHalf, 0.0f);
    return std::hypot(u - cu, along) - kBarRadius;
  };
  c = Lerp(c, {0, 0, 0}, 0.35f * std::clamp(0.5f - capsule(kBarU + 7, 9), 0.0f, 1.0f));
  const float d = capsule(kBarU, 0);
  if (d < 0.5f) {
    const float t = std::clamp((u - kBarU) / kBarRadius, -1.0f, 1.0f);
    // The rounded ends catch less light towards their rims.
    const float end = std::max(std::fabs(v) - kBarHalf, 0.0f) / kBarRadius;
    c = Lerp(c, Scale(Chrome(t), 1.0f - 0.3f * end * end), std::clamp(0.5f - d, 0.0f, 1.0f));
  }
  return c;
}

}  // namespace

Icon MakeIcon(int size) {
  const float unit = kDesign / size;  // design units a pixel
  Icon icon{Picture(size, size), std::vector<uint8_t>(static_cast<size_t>(size) * size)};
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      Colour sum{0, 0, 0};
      float cover = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float x = (px + (sx + 0.5f) / kSamples) * unit,
                      y = (py + (sy + 0.5f) / kSamples) * unit;
          const float d =
              RoundBoxDistance(x, y, kTileLeft, kTileLeft, kTileRight, kTileRight, kTileRadius);
          if (d > 0) continue;
          Colour c = ShadeWithBar(x, y);
          c = Scale(
              c, 1.0f - 0.45f * std::clamp(1.0f + d / 5.0f, 0.0f, 1.0f));  // the tile's darker rim
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
          cover += 1;
        }
      }
      const float n = kSamples * kSamples;
      icon.alpha[static_cast<size_t>(py) * size + px] =
          static_cast<uint8_t>(std::lround(255 * cover / n));
      // Colour of the covered part alone: the edge is see-through, not dark.
      icon.colour.At(px, py) = cover > 0 ? ToPixel(Scale(sum, 1.0f / cover)) : 0;
    }
  }
  return icon;
}
