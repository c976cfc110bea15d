// Pieces shared by both page backgrounds: the brushed panel, the header with
// the page and window buttons, and the fonts the artwork writes with.
#pragma once

#include "draw_kit.h"
#include "model/instrument.h"
#include "ui/layout.h"

struct ArtFonts {
  Font label;    // page-button labels
  Font caption;  // field captions
  Font small;    // fret numbers
  Font title;
  Font tagline;
};
const ArtFonts& Fonts();

inline constexpr Colour kPanelTop{224, 221, 214};
inline constexpr Colour kPanelBottom{196, 192, 184};
inline constexpr Colour kInk{58, 52, 46};          // captions and labels
inline constexpr Colour kButtonFace{236, 232, 222};
inline constexpr Colour kFieldFace{235, 235, 235};  // as the value texts' background
inline constexpr int kHeaderHeight = 76;

// Fills the picture with the brushed panel and draws the header; the page
// button of active_page (-1 none) is shown lit.
void DrawPanelBase(Picture& p, int active_page);
// A raised card with a caption in its top-left corner.
void DrawCard(Picture& p, const Rect& box, const char* caption);
