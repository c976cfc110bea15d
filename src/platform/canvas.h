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

  Picture& picture() { return m_Picture; }
  const Picture& picture() const { return m_Picture; }
  int width() const { return m_Picture.width(); }
  int height() const { return m_Picture.height(); }
  Pixel At(int x, int y) const { return m_Picture.At(x, y); }

  // Copies a w by h block of src at (sx, sy) to (dx, dy), combining by op.
  void Blit(int dx, int dy, int w, int h, const Picture& src, int sx = 0, int sy = 0,
            RasterOp op = RasterOp::Copy);
  // Copies a block of the canvas into dst at (0, 0): the strip saved under the bar.
  void Save(Picture& dst, int sx, int sy, int w, int h) const;
  void Fill(const Rect& r, Pixel color);

  // Text style, as a device context holds it for the texts that follow.
  void SelectFont(const Font* font) { m_Font = font; }
  void SetTextColor(Pixel color) { m_TextColor = color; }
  void SetTransparent() { m_Opaque = false; }
  void SetOpaque(Pixel background) { m_Opaque = true; m_Background = background; }
  // Writes text with its cell's top-left corner at (x, y). An opaque text first
  // fills its own cell (text width by font height) with the background.
  void TextOut(int x, int y, const std::string& text);

  // Drawing is limited to this rectangle until ResetClip (a repaint of part of
  // the window draws the whole page but changes only the invalid part).
  void SetClip(const Rect& r) { m_Clip = r; }
  void ResetClip() { m_Clip = {0, 0, width(), height()}; }
  const Rect& clip() const { return m_Clip; }

  // Rectangles changed since the last TakeDirty, for presenting only those.
  void MarkDirty(const Rect& r);
  std::vector<Rect> TakeDirty();
  bool HasDirty() const { return !m_Dirty.empty(); }

  void RecordTexts(bool on) { m_Record = on; }
  std::vector<DrawnText>& texts() { return m_Texts; }

 private:
  Rect Clipped(Rect r) const;

  Picture m_Picture;
  Rect m_Clip;
  std::vector<Rect> m_Dirty;
  const Font* m_Font = nullptr;
  Pixel m_TextColor = 0;
  bool m_Opaque = false;
  Pixel m_Background = 0;
  bool m_Record = false;
  std::vector<DrawnText> m_Texts;
  std::vector<uint8_t> m_Coverage;  // scratch for text rendering
};

// Intersection and bounding box of rectangles; an empty rectangle has no area.
Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);
inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
