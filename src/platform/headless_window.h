// A window without a display: it keeps what the system asks of it (place,
// minimising, drop acceptance, presented rectangles) so tests can check it.
#pragma once

#include "platform/window.h"

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(int x, int y, int width, int height, Point screen)
      : m_Rect{x, y, x + width, y + height}, m_Screen(screen) {}

  Rect GetWindowRect() const override { return m_Rect; }
  void MoveWindow(int x, int y) override;
  void Minimize() override { m_Minimized = true; }
  Point ScreenSize() const override { return m_Screen; }
  void DragAcceptFiles(bool accept) override { m_AcceptFiles = accept; }
  std::vector<std::string> TakeDroppedFiles() override;
  void Present(const Picture& client, const std::vector<Rect>& rects) override;

  // Test side: a drop of files; false when the window refuses drops.
  bool DropFiles(std::vector<std::string> files);

  bool minimized() const { return m_Minimized; }
  bool accepts_files() const { return m_AcceptFiles; }
  int presents() const { return m_Presents; }
  const std::vector<Rect>& last_presented() const { return m_LastPresented; }

 private:
  Rect m_Rect;
  Point m_Screen;
  bool m_Minimized = false;
  bool m_AcceptFiles = false;
  std::vector<std::string> m_Dropped;
  int m_Presents = 0;
  std::vector<Rect> m_LastPresented;
};
