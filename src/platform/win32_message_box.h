// The system's message boxes on Windows (MessageBoxA, owned by the main
// window) and its warning beep (MessageBeep).
#pragma once

#include "platform/message_box.h"

class Win32Window;

class Win32MessageBoxSink : public MessageBoxSink {
 public:
  explicit Win32MessageBoxSink(Win32Window* owner) : m_Owner(owner) {}
  void Show(const std::string& text, const std::string& caption, int type) override;
  void Beep(int type) override;
  void SetOwner(Win32Window* owner) { m_Owner = owner; }

 private:
  Win32Window* m_Owner;
};
