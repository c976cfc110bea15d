#include "platform/headless_window.h"

void HeadlessWindow::MoveWindow(int x, int y) {
  const int w = m_Rect.right - m_Rect.left, h = m_Rect.bottom - m_Rect.top;
  m_Rect = {x, y, x + w, y + h};
}

std::vector<std::string> HeadlessWindow::TakeDroppedFiles() {
  std::vector<std::string> out;
  out.swap(m_Dropped);
  return out;
}

bool HeadlessWindow::DropFiles(std::vector<std::string> files) {
  if (!m_AcceptFiles) return false;
  m_Dropped = std::move(files);
  return true;
}

void HeadlessWindow::Present(const Picture&, const std::vector<Rect>& rects) {
  ++m_Presents;
  m_LastPresented = rects;
}
