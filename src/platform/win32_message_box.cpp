#include "platform/win32_message_box.h"

#include <cstdio>

#include "platform/win32_window.h"
#include "platform/win32_api.h"

void Win32MessageBoxSink::Show(const std::string& text, const std::string& caption, int type) {
  HWND owner = m_Owner ? static_cast<HWND>(m_Owner->native()) : nullptr;
  // The panel may hold the pointer for a drag; the box must get its clicks.
  if (m_Owner) m_Owner->ReleaseCapture();
  if (MessageBoxA(owner, text.c_str(), caption.c_str(), static_cast<UINT>(type) | MB_OK) == 0) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  }
}

void Win32MessageBoxSink::Beep(int type) { ::MessageBeep(static_cast<UINT>(type)); }
