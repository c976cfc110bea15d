// The main window as the system uses it besides the pointer: its place on the
// screen, minimising, dropped files and presenting the canvas. The program
// installs an SDL window; tests a headless one. The free functions do nothing
// while none is installed.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/picture.h"

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
  // Whether files dropped on the window are accepted (WM_DROPFILES).
  virtual void DragAcceptFiles(bool accept) = 0;
  // The paths of the last drop, taken once.
  virtual std::vector<std::string> TakeDroppedFiles() = 0;
  // Shows the changed rectangles of the client picture.
  virtual void Present(const Picture& client, const std::vector<Rect>& rects) = 0;
};

void DragAcceptFiles(bool accept);
std::vector<std::string> DragQueryFiles();
Rect GetMainWindowRect();
void MoveMainWindow(int x, int y);
void MinimizeMainWindow();
