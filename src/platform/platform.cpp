#include "platform/platform.h"

#include <cstdio>

#include "platform/message_box.h"

Platform g_Platform;

void ShowMessageBox(const std::string& text, const std::string& caption, int type) {
  if (g_Platform.boxes) {
    g_Platform.boxes->Show(text, caption, type);
    return;
  }
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
}

void MessageBeep(int type) {
  if (g_Platform.boxes) g_Platform.boxes->Beep(type);
}
