#include "platform/headless_window.h"

void HeadlessWindow::MoveWindow(int x, int y) {
  const int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
  rect_ = {x, y, x + w, y + h};
}

std::vector<std::string> HeadlessWindow::TakeDroppedFiles() {
  std::vector<std::string> out;
  out.swap(dropped_);
  return out;
}

bool HeadlessWindow::DropFiles(std::vector<std::string> files) {
  if (!accept_files_) return false;
  dropped_ = std::move(files);
  return true;
}

void HeadlessWindow::Present(const Picture&, const std::vector<Rect>& rects) {
  ++presents_;
  last_presented_ = rects;
}
