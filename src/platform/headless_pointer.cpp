#include "platform/headless_pointer.h"

#include <algorithm>

void HeadlessPointer::ClipCursor(const Rect* screen_rect) {
  clipped_ = screen_rect != nullptr;
  if (!clipped_) return;
  clip_ = *screen_rect;
  MoveTo(cursor_);  // a new clip pulls the pointer inside at once
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
  return window_ ? window_->GetWindowRect() : rect_;
}

void HeadlessPointer::MoveWindowTo(int left, int top) {
  if (window_) {
    window_->MoveWindow(left, top);
    return;
  }
  rect_ = {left, top, left + (rect_.right - rect_.left), top + (rect_.bottom - rect_.top)};
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
