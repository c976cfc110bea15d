#include "platform/headless_pointer.h"

#include <algorithm>

void HeadlessPointer::ClipCursor(const Rect* screen_rect) {
  m_Clipped = screen_rect != nullptr;
  if (!m_Clipped) return;
  m_Clip = *screen_rect;
  MoveTo(m_Cursor);  // a new clip pulls the pointer inside at once
}

Point HeadlessPointer::ClientToScreen(Point client) const {
  const Rect w = WindowRect();
  return {client.x + w.left, client.y + w.top};
}

Point HeadlessPointer::ScreenToClient(Point screen) const {
  const Rect w = WindowRect();
  return {screen.x - w.left, screen.y - w.top};
}

Rect HeadlessPointer::WindowRect() const {
  return m_Window ? m_Window->GetWindowRect() : m_Rect;
}

void HeadlessPointer::MoveWindowTo(int left, int top) {
  if (m_Window) {
    m_Window->MoveWindow(left, top);
    return;
  }
  m_Rect = {left, top, left + (m_Rect.right - m_Rect.left), top + (m_Rect.bottom - m_Rect.top)};
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
