// Message boxes the program draws itself and shows in a small modal window of
// their own, titled with the caption; the warning beep on the display's bell.
// Where no window can be shown (no display, or a display nobody sees) the text
// goes to standard error.
#pragma once

#include "platform/fonts.h"
#include "platform/message_box.h"

class SdlWindow;

class SdlMessageBoxSink : public MessageBoxSink {
 public:
  explicit SdlMessageBoxSink(SdlWindow* owner) : m_Owner(owner) {}
  void Show(const std::string& text, const std::string& caption, int type) override;
  void Beep(int type) override;
  void SetOwner(SdlWindow* owner) { m_Owner = owner; }

 private:
  // False when the box could not be shown at all.
  bool ShowWindowed(const std::string& text, const std::string& caption, int type);

  SdlWindow* m_Owner;
  Font m_Font;  // opened with the first box
};
