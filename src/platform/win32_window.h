// The program's real window on Windows: a borderless top-level window whose
// client area shows the canvas through a DIB blit, its window messages handed
// on as the view's messages, and a message queue that wakes the window's
// message wait when a message is posted.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/pointer.h"
#include "platform/waking_queue.h"
#include "platform/window.h"

class Win32Window : public Window, public PointerService {
 public:
  Win32Window() = default;
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Creates the hidden window. False when that fails.
  bool Create(const char* title, int x, int y, int width, int height);
  static Point QueryScreenSize();
  void Show();
  void Destroy();

  // Waits up to timeout_ms for input, then takes every window message waiting
  // and appends the view's messages they make. Returns early when a message is
  // posted to the queue.
  void WaitMessages(std::vector<Message>* out, int timeout_ms);
  // Makes a waiting WaitMessages return (any thread).
  void Wake();

  Rect GetWindowRect() const override;
  void MoveWindow(int x, int y) override;
  void Minimize() override;
  Point ScreenSize() const override;
  void DragAcceptFiles(bool accept) override;
  std::vector<std::string> TakeDroppedFiles() override;
  void Present(const Picture& client, const std::vector<Rect>& rects) override;

  void SetCursorShape(CursorShape shape) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void ClipCursor(const Rect* screen_rect) override;
  Point ClientToScreen(Point client) const override;
  Point ScreenToClient(Point screen) const override;
  Point GetCursorPos() const override;
  Rect WindowRect() const override { return GetWindowRect(); }
  void MoveWindowTo(int left, int top) override { MoveWindow(left, top); }

  void* native() const { return m_Window; }  // HWND

  // The window procedure's work for one message; false when it is not ours.
  bool Handle(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result);

 private:
  void PaintClient();

  void* m_Window = nullptr;  // HWND
  void* m_Cursor = nullptr;  // HCURSOR the panel chose
  Rect m_Rect{0, 0, 0, 0};
  std::vector<Message>* m_Collect = nullptr;  // where WaitMessages gathers input
  std::vector<std::string> m_Dropped;
  const Picture* m_LastClient = nullptr;
  std::atomic<bool> m_WakePending{false};
};

// The posted-message queue of the program, woken by posts.
using Win32WindowQueue = WakingQueue<Win32Window>;
