// The program's real window, through SDL2: a borderless window whose client
// area shows the canvas, input events turned into the view's messages, and a
// message queue that wakes the window's event wait when a message is posted.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/pointer.h"
#include "platform/waking_queue.h"
#include "platform/window.h"

class SdlWindow : public Window, public PointerService {
 public:
  SdlWindow() = default;
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // Starts SDL's video (the offscreen or dummy driver serves where there is no
  // display) and creates the hidden window. False when that fails.
  bool Create(const char* title, int x, int y, int width, int height);
  // The screen size, once video runs (before the window exists).
  static Point QueryScreenSize();
  void Show();
  void Destroy();

  // Waits up to timeout_ms for input, then takes every event waiting and
  // appends the messages they make. Returns early when a message is posted.
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
  Rect WindowRect() const override { return m_Rect; }
  void MoveWindowTo(int left, int top) override { MoveWindow(left, top); }

  // Input of this window that a modal box took (an SDL_Event): a button
  // released meanwhile no longer counts as held in later mouse messages.
  void DropModalInput(const void* event);

  // The display's bell, where the video driver has one.
  void Bell();
  void* native() const { return m_Window; }

 private:
  void Translate(const void* event, std::vector<Message>* out);
  // While the view holds the mouse: a change of the pointer's window point that
  // SDL did not report becomes a WM_MOUSEMOVE.
  void FollowCapturedPointer(std::vector<Message>* out);

  void* m_Window = nullptr;  // SDL_Window
  void* m_Cursors[3] = {nullptr, nullptr, nullptr};
  uint32_t m_WakeEvent = 0;
  std::atomic<bool> m_WakePending{false};
  Rect m_Rect{0, 0, 0, 0};
  bool m_AcceptFiles = false;
  std::vector<std::string> m_Dropping;
  std::vector<std::string> m_Dropped;
  WPARAM m_Buttons = 0;  // MK_ flags of the buttons held
  bool m_Captured = false;  // the view holds the mouse
  Point m_LastPointer{0, 0};  // window point of the last mouse move reported
  const Picture* m_LastClient = nullptr;
};

// The posted-message queue of the program, woken by posts.
using WindowQueue = WakingQueue<SdlWindow>;
