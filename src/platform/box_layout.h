// Where the parts of a message box go: the text broken into lines that fit
// beside the icon, the box's client size, and the OK button on the strip below.
// Plain arithmetic on the font's measures; needs no display.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

class Font;

// The box's text face: "Arial" (a metric-compatible sans face) at this cell
// height in pixels, regular weight.
inline constexpr int kBoxFontHeight = 16;
inline constexpr int kBoxFontWeight = 400;

enum class BoxIcon { None, Error, Warning, Information };

// The icon a box type asks for (the icon bits 0xF0 of the type).
BoxIcon IconOfType(int type);

struct BoxLayout {
  int width = 0;  // client size in pixels
  int height = 0;
  BoxIcon icon = BoxIcon::None;
  Rect icon_rect{0, 0, 0, 0};      // empty without an icon
  std::vector<std::string> lines;  // tabs kept: they are expanded when drawn
  int text_left = 0;
  int text_top = 0;
  int line_step = 0;              // pixels from one line's top to the next
  int tab_width = 0;              // distance of the tab stops, from the line's start
  Rect message_area{0, 0, 0, 0};  // the white part above the button strip
  Rect button{0, 0, 0, 0};
};

// Lays out a box for text (lines may end in "\n" or "\r\n", tabs go to tab
// stops) under the given caption. The width follows the longest line, and the
// caption as a title bar needs it, between fixed bounds; text too long for
// the tallest box is cut, its last shown line ending in "...".
BoxLayout LayOutMessageBox(const std::string& text, const std::string& caption, int type,
                           const Font& font);

// Breaks text into lines no wider than max_width: at spaces where a line has
// them, inside a word (between whole characters) where one word alone is too
// wide. Line breaks of the text are kept; an empty text gives one empty line.
std::vector<std::string> WrapText(const std::string& text, const Font& font, int max_width,
                                  int tab_width);

// Width of one line with its tabs expanded to the tab stops.
int LineWidth(const std::string& line, const Font& font, int tab_width);

inline bool InRect(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
