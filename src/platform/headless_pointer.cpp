#include "platform/headless_pointer.h"

#include <algorithm>

void HeadlessPointer::ClipCursor(const Rect* screen_rect) {
  m_Clipped = screen_rect != nullptr;
  if (!m_Clipped) return;
  m_Clip = *screen_rect;
  MoveTo(m_Cursor);  // a new clip pulls the pointer inside at once
}

Point HeadlessPointer::ClientToScreen(Point client) const {
  return {client.x + m_Window.left, client.y + m_Window.top};
}

Point HeadlessPointer::ScreenToClient(Point screen) const {
  return {screen.x - m_Window.left, screen.y - m_Window.top};
}

Rect HeadlessPointer::WindowRect() const {
  return m_Window;
}

void HeadlessPointer::MoveWindowTo(int left, int top) {
  m_Window = {left, top, left + (m_Window.right - m_Window.left), top + (m_Window.bottom - m_Window.top)};
}

Point HeadlessPointer::MoveTo(Point screen) {
  if (m_Clipped) {
    // The clip's right and bottom edges are outside it.
    screen.x = std::clamp(screen.x, m_Clip.left, std::max(m_Clip.left, m_Clip.right - 1));
    screen.y = std::clamp(screen.y, m_Clip.top, std::max(m_Clip.top, m_Clip.bottom - 1));
  }
  m_Cursor = screen;
  return m_Cursor;
}
