// A one-line edit box of the tuning editor, drawn by the view into its canvas:
// a bordered white field with a caret, focused by a click, holding at most a
// fixed number of characters.
#pragma once

#include <string>

#include "platform/messages.h"

class Canvas;
class Font;

class TuningNameEdit {
 public:
  void Create(const Rect& rect, int id);
  void SetLimitText(size_t limit) { m_Limit = limit; }
  void Show(bool show);
  bool visible() const { return m_Visible; }
  void SetWindowText(const std::string& text);
  const std::string& GetWindowText() const { return m_Text; }
  void SetFocus(bool focus);
  bool focused() const { return m_Focus; }
  const Rect& rect() const { return m_Rect; }
  int id() const { return m_Id; }
  bool Contains(int x, int y) const;

  // A typed character (WM_CHAR): printable ones are inserted at the caret while
  // the text is below its limit, backspace deletes before the caret.
  void OnChar(unsigned ch);
  // Caret keys (WM_KEYDOWN): left, right, home, end, delete. True when used.
  bool OnKeyDown(int vk);
  // A click inside the box puts the caret at the nearest character boundary.
  void OnClick(int x, const Font& font);

  void Draw(Canvas& dc, const Font& font) const;

 private:
  Rect m_Rect{0, 0, 0, 0};
  int m_Id = 0;
  size_t m_Limit = 0;  // 0 = no limit
  std::string m_Text;
  size_t m_Caret = 0;
  bool m_Visible = true;
  bool m_Focus = false;
};
