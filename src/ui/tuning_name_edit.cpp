#include "ui/tuning_name_edit.h"

#include <cstdlib>

#include "platform/canvas.h"
#include "platform/fonts.h"
#include "ui/colours.h"

namespace {
constexpr Pixel kFieldWhite = Rgb(255, 255, 255);
constexpr Pixel kBorder = Rgb(100, 100, 100);
constexpr int kTextInset = 3;  // pixels between the border and the text
constexpr unsigned kBackspace = 8;
constexpr int VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_RIGHT = 39, VK_DELETE = 46;
}  // namespace

void TuningNameEdit::Create(const Rect& rect, int id) {
  rect_ = rect;
  id_ = id;
}

void TuningNameEdit::Show(bool show) {
  visible_ = show;
  if (!show) focus_ = false;
}

void TuningNameEdit::SetWindowText(const std::string& text) {
  text_ = text;
  caret_ = text_.size();
}

void TuningNameEdit::SetFocus(bool focus) {
  focus_ = focus && visible_;
  if (focus_) caret_ = text_.size();
}

bool TuningNameEdit::Contains(int x, int y) const {
  return visible_ && x >= rect_.left && x < rect_.right && y >= rect_.top && y < rect_.bottom;
}

void TuningNameEdit::OnChar(unsigned ch) {
  if (ch == kBackspace) {
    if (caret_ > 0) text_.erase(--caret_, 1);
    return;
  }
  if (ch < 32 || ch > 126) return;  // the names are plain ASCII
  if (limit_ != 0 && text_.size() >= limit_) return;
  text_.insert(caret_++, 1, static_cast<char>(ch));
}

bool TuningNameEdit::OnKeyDown(int vk) {
  switch (vk) {
    case VK_LEFT: if (caret_ > 0) --caret_; return true;
    case VK_RIGHT: if (caret_ < text_.size()) ++caret_; return true;
    case VK_HOME: caret_ = 0; return true;
    case VK_END: caret_ = text_.size(); return true;
    case VK_DELETE: if (caret_ < text_.size()) text_.erase(caret_, 1); return true;
    default: return false;
  }
}

void TuningNameEdit::OnClick(int x, const Font& font) {
  int rel = x - (rect_.left + kTextInset);
  caret_ = 0;
  int best = std::abs(rel);
  for (size_t i = 1; i <= text_.size(); ++i) {
    int d = std::abs(font.TextWidth(text_.substr(0, i)) - rel);
    if (d < best) { best = d; caret_ = i; }
  }
}

void TuningNameEdit::Draw(Canvas& dc, const Font& font) const {
  if (!visible_) return;
  dc.Fill(rect_, kBorder);
  dc.Fill({rect_.left + 1, rect_.top + 1, rect_.right - 1, rect_.bottom - 1}, kFieldWhite);
  const int ty = rect_.top + (rect_.bottom - rect_.top - font.height()) / 2;
  dc.SelectFont(&font);
  dc.SetTextColor(kBlack);
  dc.SetTransparent();
  dc.TextOut(rect_.left + kTextInset, ty, text_);
  if (focus_) {
    int cx = rect_.left + kTextInset + font.TextWidth(text_.substr(0, caret_));
    dc.Fill({cx, ty, cx + 1, ty + font.height()}, kBlack);
  }
}
