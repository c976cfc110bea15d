// A pointer without a display: the pointer goes where it is put, and the clip
// is honoured as the real pointer would honour it. The window it points into
// is a headless window (moved by a drag as a real one is) or a fixed screen
// rectangle. Records the cursor shape and the capture for tests.
#pragma once

#include "platform/pointer.h"
#include "platform/window.h"

class HeadlessPointer : public PointerService {
 public:
  // window: the main window's rectangle on the screen, fixed.
  explicit HeadlessPointer(Rect window) : rect_(window) {}
  // The pointer of a window that stays installed while the pointer is used.
  explicit HeadlessPointer(Window* window) : window_(window) {}

  void SetCursorShape(CursorShape shape) override { shape_ = shape; }
  void SetCapture() override { captured_ = true; }
  void ReleaseCapture() override { captured_ = false; }
  void ClipCursor(const Rect* screen_rect) override;
  Point ClientToScreen(Point client) const override;
  Point ScreenToClient(Point screen) const override;
  Point GetCursorPos() const override { return cursor_; }
  Rect WindowRect() const override;
  void MoveWindowTo(int left, int top) override;

  // Moves the pointer to a screen point; inside a clip it stops at the nearest edge.
  // Returns where it landed.
  Point MoveTo(Point screen);

  CursorShape shape() const { return shape_; }
  bool captured() const { return captured_; }
  bool clipped() const { return clipped_; }
  const Rect& clip() const { return clip_; }

 private:
  Window* window_ = nullptr;
  Rect rect_{0, 0, 0, 0};  // without a window
  Point cursor_{0, 0};
  CursorShape shape_ = CursorShape::Arrow;
  bool captured_ = false;
  bool clipped_ = false;
  Rect clip_{0, 0, 0, 0};
};
