// Drawing helpers of the picture generator: smooth shapes (rounded boxes,
// discs, lines) blended into a picture, gradients, grain and centred text.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/fonts.h"
#include "platform/picture.h"

struct Colour {
  float r, g, b;
};

Colour ToColour(Pixel p);
Pixel ToPixel(const Colour& c);
Colour Lerp(const Colour& a, const Colour& b, float t);
Colour Scale(const Colour& c, float k);

// Blends colour c over the pixel at (x, y) with opacity a (0..1), clipped.
void BlendPixel(Picture& p, int x, int y, const Colour& c, float a);

// A deterministic grain value in -1..1 for a pixel.
float Grain(int x, int y, int seed);

// Signed distance from (px, py) to a rounded box [l, r) x [t, b) with radius rad;
// negative inside.
float RoundBoxDistance(float px, float py, float l, float t, float r, float b, float rad);

// Fills a rounded box with a vertical gradient from top to bottom colour.
void FillRoundBox(Picture& p, const Rect& box, float rad, const Colour& top, const Colour& bottom,
                  float opacity = 1.0f);
// Draws the outline of a rounded box, width pixels wide, inside its edge.
void StrokeRoundBox(Picture& p, const Rect& box, float rad, float width, const Colour& c,
                    float opacity = 1.0f);
// A raised button: soft shadow, gradient face, light upper edge, dark outline.
void RaisedButton(Picture& p, const Rect& box, float rad, const Colour& face);
// A sunken field: darker rim above and left, face colour inside.
void SunkenField(Picture& p, const Rect& box, const Colour& face);
void FillDisc(Picture& p, float cx, float cy, float rad, const Colour& c, float opacity = 1.0f);
void DrawLine(Picture& p, float x0, float y0, float x1, float y1, float width, const Colour& c,
              float opacity = 1.0f);
void FillTriangle(Picture& p, float x0, float y0, float x1, float y1, float x2, float y2,
                  const Colour& c);

// Writes text with a font into the picture; centred on cx when centred is set.
void PutText(Picture& p, const Font& font, const std::string& text, int x, int y, Pixel colour,
             bool centred = false);
