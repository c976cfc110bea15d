// Message boxes shown with SDL's modal message box, and the warning beep on
// the display's bell. Where no box can be shown the text goes to standard error.
#pragma once

#include "platform/message_box.h"

class SdlWindow;

class SdlMessageBoxSink : public MessageBoxSink {
 public:
  explicit SdlMessageBoxSink(SdlWindow* owner) : m_Owner(owner) {}
  void Show(const std::string& text, const std::string& caption, int type) override;
  void Beep(int type) override;
  void SetOwner(SdlWindow* owner) { m_Owner = owner; }

 private:
  SdlWindow* m_Owner;
};
