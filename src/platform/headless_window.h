// A window without a display: it keeps what the system asks of it (place,
// cursor, capture, confinement, drop acceptance, presented rectangles) so that
// tests and headless runs can check it.
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
  Point GetCursorPos() const override { return cursor_; }
  void SetCursor(SystemCursor cursor) override { cursor_shape_ = cursor; }
  void SetCapture(bool on) override { captured_ = on; }
  void ClipCursor(const Rect* screen) override;
  void DragAcceptFiles(bool accept) override { accept_files_ = accept; }
  std::vector<std::string> TakeDroppedFiles() override;
  void Present(const Picture& client, const std::vector<Rect>& rects) override;

  // Test side: where the pointer is, and a drop of files (false when refused).
  void SetCursorPos(Point screen) { cursor_ = screen; }
  bool DropFiles(std::vector<std::string> files);

  bool minimized() const { return minimized_; }
  bool captured() const { return captured_; }
  bool accepts_files() const { return accept_files_; }
  SystemCursor cursor_shape() const { return cursor_shape_; }
  bool clipped() const { return clipped_; }
  const Rect& clip() const { return clip_; }
  int presents() const { return presents_; }
  const std::vector<Rect>& last_presented() const { return last_presented_; }

 private:
  Rect rect_;
  Point screen_;
  Point cursor_{0, 0};
  SystemCursor cursor_shape_ = SystemCursor::Arrow;
  bool minimized_ = false;
  bool captured_ = false;
  bool accept_files_ = false;
  bool clipped_ = false;
  Rect clip_{0, 0, 0, 0};
  std::vector<std::string> dropped_;
  int presents_ = 0;
  std::vector<Rect> last_presented_;
};
