// The window's client area as an in-memory 32-bit picture, with the drawing
// operations of the panel (picture copies with copy/OR/AND, fills, text in a
// font with a transparent or opaque cell) and the list of rectangles that
// changed since the window last presented it.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/picture.h"

class Font;

// One text as it was drawn: kept when the canvas records texts (tests read it).
struct DrawnText {
  int x;
  int y;
  std::string text;
  const Font* font;
  Pixel color;
  bool opaque;
  Pixel background;
};

class Canvas {
 public:
  Canvas(int width, int height);

  Picture& picture() { return picture_; }
  const Picture& picture() const { return picture_; }
  int width() const { return picture_.width(); }
  int height() const { return picture_.height(); }
  Pixel At(int x, int y) const { return picture_.At(x, y); }

  // Copies a w by h block of src at (sx, sy) to (dx, dy), combining by op.
  void Blit(int dx, int dy, int w, int h, const Picture& src, int sx = 0, int sy = 0,
            RasterOp op = RasterOp::Copy);
  // Copies a block of the canvas into dst at (0, 0): the strip saved under the bar.
  void Save(Picture& dst, int sx, int sy, int w, int h) const;
  void Fill(const Rect& r, Pixel color);

  // Text style, as a device context holds it for the texts that follow.
  void SelectFont(const Font* font) { font_ = font; }
  void SetTextColor(Pixel color) { text_color_ = color; }
  void SetTransparent() { opaque_ = false; }
  void SetOpaque(Pixel background) { opaque_ = true; background_ = background; }
  // Writes text with its cell's top-left corner at (x, y). An opaque text first
  // fills its own cell (text width by font height) with the background.
  void TextOut(int x, int y, const std::string& text);

  // Drawing is limited to this rectangle until ResetClip (a repaint of part of
  // the window draws the whole page but changes only the invalid part).
  void SetClip(const Rect& r) { clip_ = r; }
  void ResetClip() { clip_ = {0, 0, width(), height()}; }
  const Rect& clip() const { return clip_; }

  // Rectangles changed since the last TakeDirty, for presenting only those.
  void MarkDirty(const Rect& r);
  std::vector<Rect> TakeDirty();
  bool HasDirty() const { return !dirty_.empty(); }

  void RecordTexts(bool on) { record_ = on; }
  std::vector<DrawnText>& texts() { return texts_; }

 private:
  Rect Clipped(Rect r) const;

  Picture picture_;
  Rect clip_;
  std::vector<Rect> dirty_;
  const Font* font_ = nullptr;
  Pixel text_color_ = 0;
  bool opaque_ = false;
  Pixel background_ = 0;
  bool record_ = false;
  std::vector<DrawnText> texts_;
  std::vector<uint8_t> coverage_;  // scratch for text rendering
};

// Intersection and bounding box of rectangles; an empty rectangle has no area.
Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);
inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
