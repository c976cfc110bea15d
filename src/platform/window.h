// The main window as the system uses it: its place on the screen, minimising,
// the pointer (system cursors, capture, confinement), dropped files and
// presenting the canvas. The program installs an SDL window; tests and headless
// runs a recording one. The free functions do nothing while none is installed.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/picture.h"

enum class SystemCursor { Arrow, Cross, SizeAll };

class Window {
 public:
  virtual ~Window() = default;
  // The window's rectangle in screen pixels.
  virtual Rect GetWindowRect() const = 0;
  // Moves the window's top-left corner to a screen point.
  virtual void MoveWindow(int x, int y) = 0;
  virtual void Minimize() = 0;
  // Size of the screen the window stands on.
  virtual Point ScreenSize() const = 0;
  // Where the pointer is, in screen pixels.
  virtual Point GetCursorPos() const = 0;
  virtual void SetCursor(SystemCursor cursor) = 0;
  // While captured, the pointer's moves and releases reach the view also
  // outside the window.
  virtual void SetCapture(bool on) = 0;
  // Confines the pointer to a screen rectangle (right and bottom excluded);
  // null frees it.
  virtual void ClipCursor(const Rect* screen) = 0;
  // Whether files dropped on the window are accepted (WM_DROPFILES).
  virtual void DragAcceptFiles(bool accept) = 0;
  // The paths of the last drop, taken once.
  virtual std::vector<std::string> TakeDroppedFiles() = 0;
  // Shows the changed rectangles of the client picture.
  virtual void Present(const Picture& client, const std::vector<Rect>& rects) = 0;
};

Point ClientToScreen(Point client);
Point ScreenToClient(Point screen);
Point GetCursorPos();
void SetSystemCursor(SystemCursor cursor);
void SetMouseCapture();
void ReleaseMouseCapture();
void ClipCursor(const Rect* screen);
void DragAcceptFiles(bool accept);
std::vector<std::string> DragQueryFiles();
Rect GetMainWindowRect();
void MoveMainWindow(int x, int y);
void MinimizeMainWindow();
