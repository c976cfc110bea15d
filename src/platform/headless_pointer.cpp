#include "platform/headless_pointer.h"

#include <algorithm>

void HeadlessPointer::ClipCursor(const Rect* screen_rect) {
  clipped_ = screen_rect != nullptr;
  if (!clipped_) return;
  clip_ = *screen_rect;
  MoveTo(cursor_);  // a new clip pulls the pointer inside at once
}

Point HeadlessPointer::ClientToScreen(Point client) const {
  return {client.x + window_.left, client.y + window_.top};
}

Point HeadlessPointer::ScreenToClient(Point screen) const {
  return {screen.x - window_.left, screen.y - window_.top};
}

Rect HeadlessPointer::WindowRect() const {
  return window_;
}

void HeadlessPointer::MoveWindowTo(int left, int top) {
  window_ = {left, top, left + (window_.right - window_.left), top + (window_.bottom - window_.top)};
}

Point HeadlessPointer::MoveTo(Point screen) {
  if (clipped_) {
    // The clip's right and bottom edges are outside it.
    screen.x = std::clamp(screen.x, clip_.left, std::max(clip_.left, clip_.right - 1));
    screen.y = std::clamp(screen.y, clip_.top, std::max(clip_.top, clip_.bottom - 1));
  }
  cursor_ = screen;
  return cursor_;
}
