// Modal message boxes and the warning beep. The program shows real boxes;
// tests and headless tools install a sink that records them.
#pragma once

#include <string>

inline constexpr int MB_OK = 0x00;
inline constexpr int MB_ICONHAND = 0x10;  // error / stop icon (16)
inline constexpr int MB_ICONSTOP = MB_ICONHAND;
inline constexpr int MB_ICONERROR = MB_ICONHAND;
inline constexpr int MB_ICONEXCLAMATION = 0x30;  // warning icon (48)
inline constexpr int MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr int MB_ICONINFORMATION = 0x40;

class MessageBoxSink {
 public:
  virtual ~MessageBoxSink() = default;
  // Shows the box and returns when it is dismissed.
  virtual void Show(const std::string& text, const std::string& caption, int type) = 0;
  // The system's beep for an icon type (MessageBeep).
  virtual void Beep(int type) = 0;
};

// Shows a box through the installed sink (standard error when none is installed).
void ShowMessageBox(const std::string& text, const std::string& caption, int type);
void MessageBeep(int type);
