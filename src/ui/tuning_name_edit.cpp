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
  m_Rect = rect;
  m_Id = id;
}

void TuningNameEdit::Show(bool show) {
  m_Visible = show;
  if (!show) m_Focus = false;
}

void TuningNameEdit::SetWindowText(const std::string& text) {
  m_Text = text;
  m_Caret = m_Text.size();
}

void TuningNameEdit::SetFocus(bool focus) {
  m_Focus = focus && m_Visible;
  if (m_Focus) m_Caret = m_Text.size();
}

bool TuningNameEdit::Contains(int x, int y) const {
  return m_Visible && x >= m_Rect.left && x < m_Rect.right && y >= m_Rect.top && y < m_Rect.bottom;
}

void TuningNameEdit::OnChar(unsigned ch) {
  if (ch == kBackspace) {
    if (m_Caret > 0) m_Text.erase(--m_Caret, 1);
    return;
  }
  if (ch < 32 || ch > 126) return;  // the names are plain ASCII
  if (m_Limit != 0 && m_Text.size() >= m_Limit) return;
  m_Text.insert(m_Caret++, 1, static_cast<char>(ch));
}

bool TuningNameEdit::OnKeyDown(int vk) {
  switch (vk) {
    case VK_LEFT: if (m_Caret > 0) --m_Caret; return true;
    case VK_RIGHT: if (m_Caret < m_Text.size()) ++m_Caret; return true;
    case VK_HOME: m_Caret = 0; return true;
    case VK_END: m_Caret = m_Text.size(); return true;
    case VK_DELETE: if (m_Caret < m_Text.size()) m_Text.erase(m_Caret, 1); return true;
    default: return false;
  }
}

void TuningNameEdit::OnClick(int x, const Font& font) {
  int rel = x - (m_Rect.left + kTextInset);
  m_Caret = 0;
  int best = std::abs(rel);
  for (size_t i = 1; i <= m_Text.size(); ++i) {
    int d = std::abs(font.TextWidth(m_Text.substr(0, i)) - rel);
    if (d < best) { best = d; m_Caret = i; }
  }
}

void TuningNameEdit::Draw(Canvas& dc, const Font& font) const {
  if (!m_Visible) return;
  dc.Fill(m_Rect, kBorder);
  dc.Fill({m_Rect.left + 1, m_Rect.top + 1, m_Rect.right - 1, m_Rect.bottom - 1}, kFieldWhite);
  const int ty = m_Rect.top + (m_Rect.bottom - m_Rect.top - font.height()) / 2;
  dc.SelectFont(&font);
  dc.SetTextColor(kBlack);
  dc.SetTransparent();
  dc.TextOut(m_Rect.left + kTextInset, ty, m_Text);
  if (m_Focus) {
    int cx = m_Rect.left + kTextInset + font.TextWidth(m_Text.substr(0, m_Caret));
    dc.Fill({cx, ty, cx + 1, ty + font.height()}, kBlack);
  }
}
