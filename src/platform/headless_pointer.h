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
  explicit HeadlessPointer(Rect window) : m_Rect(window) {}
  // The pointer of a window that stays installed while the pointer is used.
  explicit HeadlessPointer(Window* window) : m_Window(window) {}

  void SetCursorShape(CursorShape shape) override { m_Shape = shape; }
  void SetCapture() override { m_Captured = true; }
  void ReleaseCapture() override { m_Captured = false; }
  void ClipCursor(const Rect* screen_rect) override;
  Point ClientToScreen(Point client) const override;
  Point ScreenToClient(Point screen) const override;
  Point GetCursorPos() const override { return m_Cursor; }
  Rect WindowRect() const override;
  void MoveWindowTo(int left, int top) override;

  // Moves the pointer to a screen point; inside a clip it stops at the nearest edge.
  // Returns where it landed.
  Point MoveTo(Point screen);

  CursorShape shape() const { return m_Shape; }
  bool captured() const { return m_Captured; }
  bool clipped() const { return m_Clipped; }
  const Rect& clip() const { return m_Clip; }

 private:
  Window* m_Window = nullptr;
  Rect m_Rect{0, 0, 0, 0};  // without a window
  Point m_Cursor{0, 0};
  CursorShape m_Shape = CursorShape::Arrow;
  bool m_Captured = false;
  bool m_Clipped = false;
  Rect m_Clip{0, 0, 0, 0};
};
