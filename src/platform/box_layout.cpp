#include "platform/box_layout.h"

#include <algorithm>

#include "platform/fonts.h"
#include "platform/message_box.h"

namespace {

// Pixels of the box's client area, as a plain system box spaces them.
constexpr int kSideMargin = 20;    // left of the icon or text, right of the text
constexpr int kTopMargin = 24;     // above the text and the icon
constexpr int kBottomMargin = 24;  // between the text and the button strip
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;        // between the icon and the text
constexpr int kLineGap = 2;         // added to the font's cell height between lines
constexpr int kMaxTextWidth = 480;  // longer lines wrap
constexpr int kMinClientWidth = 200;
constexpr int kMaxClientWidth = 640;   // a long caption widens the box up to this
constexpr int kMaxClientHeight = 600;  // text beyond this is cut
constexpr int kTitleBarExtra = 80;     // the title bar's own buttons beside the caption
constexpr int kStripHeight = 48;       // the grey strip holding the button
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kButtonRightMargin = 12;
constexpr int kTabStopChars = 8;  // tab stops every eight average characters
constexpr const char* kEllipsis = "...";

// Byte length of the UTF-8 character that starts at text[i].
size_t CharLength(const std::string& text, size_t i) {
  size_t n = 1;
  while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
  return n;
}

// The longest prefix of whole characters that fits max_width; at least one
// character, so that breaking a word always moves on.
size_t FittingPrefix(const std::string& word, const Font& font, int max_width, int tab_width) {
  size_t fit = CharLength(word, 0);
  for (size_t end = fit; end < word.size();) {
    const size_t next = end + CharLength(word, end);
    if (LineWidth(word.substr(0, next), font, tab_width) > max_width) break;
    fit = end = next;
  }
  return fit;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// Line breaks as "\n" alone.
std::string UnixLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r')
      out += text[i];
    else if (i + 1 >= text.size() || text[i + 1] != '\n')
      out += '\n';
  }
  return out;
}

void WrapParagraph(const std::string& paragraph, const Font& font, int max_width, int tab_width,
                   std::vector<std::string>* out) {
  std::string line;
  bool fresh = true;  // nothing placed on the line yet
  // Runs of spaces inside a line stay (texts align columns with them); the
  // spaces where a line breaks go.
  for (std::string word : Split(paragraph, ' ')) {
    const std::string candidate = fresh ? word : line + " " + word;
    if (LineWidth(candidate, font, tab_width) <= max_width) {
      line = candidate;
      fresh = false;
      continue;
    }
    if (!fresh) out->push_back(line);
    line.clear();
    fresh = true;
    if (word.empty()) continue;
    while (LineWidth(word, font, tab_width) > max_width) {
      const size_t cut = FittingPrefix(word, font, max_width, tab_width);
      out->push_back(word.substr(0, cut));
      word.erase(0, cut);
    }
    line = word;  // the rest of a broken word fits, and is never empty
    fresh = false;
  }
  // An empty paragraph placed its one empty word: it still gives a line.
  if (!fresh) out->push_back(line);
}

// The line with "..." at its end, shortened until it fits.
std::string WithEllipsis(std::string line, const Font& font, int max_width, int tab_width) {
  while (!line.empty() && LineWidth(line + kEllipsis, font, tab_width) > max_width) {
    size_t last = line.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(line[last]) & 0xC0) == 0x80) --last;
    line.erase(last);
  }
  return line + kEllipsis;
}

}  // namespace

BoxIcon IconOfType(int type) {
  switch (type & 0xF0) {
    case MB_ICONHAND:
      return BoxIcon::Error;
    case MB_ICONEXCLAMATION:
      return BoxIcon::Warning;
    case MB_ICONINFORMATION:
      return BoxIcon::Information;
    default:
      return BoxIcon::None;
  }
}

int LineWidth(const std::string& line, const Font& font, int tab_width) {
  if (line.find('\t') == std::string::npos) return font.TextWidth(line);
  int x = 0;
  const std::vector<std::string> parts = Split(line, '\t');
  for (size_t i = 0; i < parts.size(); ++i) {
    x += font.TextWidth(parts[i]);
    if (i + 1 < parts.size() && tab_width > 0) x = (x / tab_width + 1) * tab_width;
  }
  return x;
}

std::vector<std::string> WrapText(const std::string& text, const Font& font, int max_width,
                                  int tab_width) {
  std::vector<std::string> lines;
  for (const std::string& paragraph : Split(UnixLineBreaks(text), '\n')) {
    WrapParagraph(paragraph, font, max_width, tab_width, &lines);
  }
  return lines;
}

BoxLayout LayOutMessageBox(const std::string& text, const std::string& caption, int type,
                           const Font& font) {
  BoxLayout box;
  box.icon = IconOfType(type);
  box.tab_width = kTabStopChars * std::max(1, font.TextWidth("x"));
  box.line_step = font.height() + kLineGap;
  box.lines = WrapText(text, font, kMaxTextWidth, box.tab_width);

  const int fixed_height = kTopMargin + kBottomMargin + kStripHeight;
  const size_t max_lines =
      static_cast<size_t>(std::max(1, (kMaxClientHeight - fixed_height) / box.line_step));
  if (box.lines.size() > max_lines) {
    box.lines.resize(max_lines);
    box.lines.back() = WithEllipsis(box.lines.back(), font, kMaxTextWidth, box.tab_width);
  }

  int text_width = 0;
  for (const std::string& line : box.lines)
    text_width = std::max(text_width, LineWidth(line, font, box.tab_width));
  const int text_height = static_cast<int>(box.lines.size()) * box.line_step - kLineGap;
  const bool has_icon = box.icon != BoxIcon::None;
  const int content_height = std::max(text_height, has_icon ? kIconSize : 0);

  box.text_left = kSideMargin + (has_icon ? kIconSize + kIconGap : 0);
  const int caption_width = std::min(font.TextWidth(caption) + kTitleBarExtra, kMaxClientWidth);
  box.width = std::max({box.text_left + text_width + kSideMargin, kMinClientWidth, caption_width});
  box.height = fixed_height + content_height;
  // A short text stands level with the middle of the icon.
  box.text_top = kTopMargin + (content_height - text_height) / 2;
  if (has_icon)
    box.icon_rect = {kSideMargin, kTopMargin, kSideMargin + kIconSize, kTopMargin + kIconSize};
  box.message_area = {0, 0, box.width, box.height - kStripHeight};
  const int button_top = box.height - kStripHeight + (kStripHeight - kButtonHeight) / 2;
  box.button = {box.width - kButtonRightMargin - kButtonWidth, button_top,
                box.width - kButtonRightMargin, button_top + kButtonHeight};
  return box;
}
