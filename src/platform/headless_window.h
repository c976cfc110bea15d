// A window without a display: it keeps what the system asks of it (place,
// minimising, drop acceptance, presented rectangles) so tests can check it.
#pragma once

#include "platform/window.h"

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(int x, int y, int width, int height, Point screen)
      : rect_{x, y, x + width, y + height}, screen_(screen) {}

  Rect GetWindowRect() const override { return rect_; }
  void MoveWindow(int x, int y) override;
  void Minimize() override { minimized_ = true; }
  Point ScreenSize() const override { return screen_; }
  void DragAcceptFiles(bool accept) override { accept_files_ = accept; }
  std::vector<std::string> TakeDroppedFiles() override;
  void Present(const Picture& client, const std::vector<Rect>& rects) override;

  // Test side: a drop of files; false when the window refuses drops.
  bool DropFiles(std::vector<std::string> files);

  bool minimized() const { return minimized_; }
  bool accepts_files() const { return accept_files_; }
  int presents() const { return presents_; }
  const std::vector<Rect>& last_presented() const { return last_presented_; }

 private:
  Rect rect_;
  Point screen_;
  bool minimized_ = false;
  bool accept_files_ = false;
  std::vector<std::string> dropped_;
  int presents_ = 0;
  std::vector<Rect> last_presented_;
};
