// The mouse pointer and the window as the playing code needs them: cursor
// shape, mouse capture, cursor clip, client/screen conversion and the
// window's place on the screen. The program backs it with the real window;
// headless runs use HeadlessPointer.
#pragma once

#include "platform/messages.h"

enum class CursorShape { Arrow, Cross, SizeAll };

class PointerService {
 public:
  virtual ~PointerService() = default;
  virtual void SetCursorShape(CursorShape shape) = 0;
  // While captured, every mouse message goes to the view, even outside it.
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // Keeps the pointer inside a screen rectangle (right and bottom excluded);
  // nullptr removes the clip.
  virtual void ClipCursor(const Rect* screen_rect) = 0;
  virtual Point ClientToScreen(Point client) const = 0;
  virtual Point ScreenToClient(Point screen) const = 0;
  virtual Point GetCursorPos() const = 0;  // screen pixels
  virtual Rect WindowRect() const = 0;     // the main window, screen pixels
  // Moves the main window's top-left corner to a screen point, repainting it.
  virtual void MoveWindowTo(int left, int top) { (void)left; (void)top; }
};
