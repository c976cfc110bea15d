// Player.bmp: the playing page with both necks, their field cards and the hint line.
#include <algorithm>
#include <cmath>
#include <string>

#include "panel_common.h"
#include "panel_pictures.h"

namespace {

constexpr int kNeckHeight = 192;  // 8 strings of 24 pixels
constexpr int kNeckWidth = 1280;  // 20 frets of 64 pixels
constexpr int kMarkerFrets[] = {3, 5, 7, 9, 12, 15, 17, 19};
constexpr Colour kMapleLight{240, 218, 174};
constexpr Colour kMapleDark{222, 190, 136};
constexpr Colour kBinding{70, 42, 24};
constexpr Colour kFretWire{118, 116, 112};
constexpr Colour kPearl{246, 244, 236};

int FretLineX(int fret) { return kNeckLeft + kFretWidth * fret + kFretWidth / 2; }

void DrawMaple(Picture& p, int top) {
  for (int y = top; y < top + kNeckHeight; ++y) {
    for (int x = kNeckLeft; x < kNeckLeft + kNeckWidth; ++x) {
      // Long grain running along the neck, slowly wandering.
      const float w = std::sin((y - top) * 0.55f + 3.0f * std::sin(x * 0.004f + y * 0.03f) +
                               Grain(x / 90, y / 6, top) * 0.6f);
      const float t = std::clamp(0.45f + 0.22f * w + Grain(x / 5, y, top + 1) * 0.06f, 0.0f, 1.0f);
      p.At(x, y) = ToPixel(Lerp(kMapleLight, kMapleDark, t));
    }
  }
}

void DrawFrets(Picture& p, int top) {
  for (int f = 0; f < kFretCount; ++f) {
    const float x = FretLineX(f) + 0.5f;
    if (f == 0) {  // the open-string line reads as a bone nut
      DrawLine(p, x, top, x, top + kNeckHeight, 4.0f, {232, 224, 204});
      DrawLine(p, x + 2.0f, top, x + 2.0f, top + kNeckHeight, 1.0f, {150, 136, 110}, 0.8f);
      continue;
    }
    DrawLine(p, x + 1.0f, top, x + 1.0f, top + kNeckHeight, 1.0f, {90, 60, 30}, 0.35f);
    DrawLine(p, x, top, x, top + kNeckHeight, 2.0f, kFretWire);
    DrawLine(p, x - 0.5f, top, x - 0.5f, top + kNeckHeight, 1.0f, {236, 236, 232}, 0.7f);
  }
  for (int f : kMarkerFrets) {
    const float x = FretLineX(f) + 0.5f;
    auto dot = [&](float y) {
      FillDisc(p, x + 0.6f, y + 0.8f, 5.0f, {80, 50, 20}, 0.35f);
      FillDisc(p, x, y, 5.0f, kPearl);
      FillDisc(p, x - 1.3f, y - 1.3f, 2.0f, {255, 255, 255}, 0.8f);
    };
    if (f == 12) {
      dot(top + 2 * kStringRowHeight);
      dot(top + 6 * kStringRowHeight);
    } else {
      dot(top + 4 * kStringRowHeight);
    }
  }
}

void DrawStrings(Picture& p, int top) {
  for (int s = 0; s < kStringCount; ++s) {
    const float y = top + kStringRowHeight * s + kStringRowHeight / 2 + 0.5f;
    const float w = 1.3f + 0.24f * s;  // the lower strings are heavier
    DrawLine(p, kNeckLeft, y + 1.6f, kNeckLeft + kNeckWidth, y + 1.6f, w, {60, 40, 20}, 0.35f);
    DrawLine(p, kNeckLeft, y, kNeckLeft + kNeckWidth, y, w, {96, 98, 104});
    DrawLine(p, kNeckLeft, y - w * 0.2f, kNeckLeft + kNeckWidth, y - w * 0.2f, std::max(0.8f, w * 0.45f),
             {238, 240, 244}, 0.85f);
    if (s >= 3) {  // wound strings: a fine winding texture
      for (int x = kNeckLeft; x < kNeckLeft + kNeckWidth; x += 2) {
        BlendPixel(p, x, static_cast<int>(y), {70, 70, 76}, 0.25f);
      }
    }
    // The anchor pin at the end of the neck.
    FillDisc(p, kNeckLeft + kNeckWidth + 4.5f, y, 2.2f, {210, 210, 214});
    FillDisc(p, kNeckLeft + kNeckWidth + 4.0f, y - 0.5f, 0.9f, {255, 255, 255}, 0.8f);
  }
}

void DrawFretNumbers(Picture& p, int top) {
  const Font& f = Fonts().small;
  for (int fret = 0; fret < kFretCount; ++fret) {
    PutText(p, f, std::to_string(fret), FretLineX(fret) + 1, top - 19, ToPixel(kInk), true);
  }
}

void DrawNeck(Picture& p, int top) {
  const Rect bind{kNeckLeft - 6, top - 5, kNeckLeft + kNeckWidth + 9, top + kNeckHeight + 5};
  FillRoundBox(p, {bind.left + 2, bind.top + 4, bind.right + 2, bind.bottom + 4}, 6, {0, 0, 0}, {0, 0, 0}, 0.25f);
  FillRoundBox(p, bind, 6, Scale(kBinding, 1.25f), Scale(kBinding, 0.8f));
  DrawMaple(p, top);
  DrawFrets(p, top);
  DrawStrings(p, top);
  DrawFretNumbers(p, top);
}

void DrawPedalLegend(Picture& p, int y) {
  // A mouse whose buttons are the pedals.
  const Rect body{1214, y, 1240, y + 38};
  FillRoundBox(p, {body.left + 1, body.top + 2, body.right + 1, body.bottom + 2}, 12, {0, 0, 0}, {0, 0, 0}, 0.2f);
  FillRoundBox(p, body, 12, {250, 248, 244}, {212, 208, 200});
  StrokeRoundBox(p, body, 12, 1, {110, 104, 96});
  DrawLine(p, 1227.5f, y + 1, 1227.5f, y + 14, 1, {110, 104, 96});
  DrawLine(p, body.left + 2, y + 14.5f, body.right - 2, y + 14.5f, 1, {110, 104, 96});
  const Font& f = Fonts().small;
  PutText(p, f, "1", 1221, y + 2, ToPixel(kInk), true);
  PutText(p, f, "2", 1234, y + 2, ToPixel(kInk), true);
  PutText(p, Fonts().caption, "Pedal 1", 1250, y + 4, ToPixel(kInk));
  PutText(p, Fonts().caption, "Pedal 2", 1250, y + 20, ToPixel(kInk));
}

void DrawNeckFields(Picture& p, int n) {
  const int dy = 300 * n;
  DrawCard(p, {100, 310 + dy, 600, 366 + dy}, n == 0 ? "Upper Tuning" : "Lower Tuning");
  for (int t = 0; t < kTuningCount; ++t) {
    RaisedButton(p, g_Region[NeckRegion(n) + 1 + t], 4.0f, kButtonFace);
  }
  DrawCard(p, {648, 310 + dy, 836, 371 + dy}, "Voice");
  DrawCard(p, {898, 310 + dy, 959, 371 + dy}, "Volume");
  DrawCard(p, {1006, 310 + dy, 1075, 366 + dy}, "Guide");
  DrawCard(p, {1114, 310 + dy, 1187, 366 + dy}, "MIDI Shift");
  for (int r = NeckRegion(n) + 9; r <= NeckRegion(n) + 14; ++r) {
    const Rect& q = g_Region[r];
    SunkenField(p, {q.left, q.top, q.right + 1, q.bottom + 1}, kFieldFace);
  }
  DrawPedalLegend(p, 322 + dy);
}

}  // namespace

Picture MakePlayerPicture() {
  Picture p(1356, 720);
  DrawPanelBase(p, 0);
  for (int n = 0; n < kNeckCount; ++n) {
    DrawNeck(p, g_Region[NeckRegion(n)].top);
    DrawNeckFields(p, n);
  }
  Blit(p, 0, 676, 970, 24, MakeHintBackground(), 0, 0);
  return p;
}
