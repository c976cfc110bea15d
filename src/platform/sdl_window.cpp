#include "platform/sdl_window.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#include "platform/sdl_surface.h"
#include "platform/x11_pointer.h"

namespace {

SDL_Window* Sdl(void* w) { return static_cast<SDL_Window*>(w); }

// Key-message parameter as the window system builds it: repeat count in the
// low word, bit 30 the key was down before (the repeat flag 0x4000 of the high
// word), bit 31 the key is being released.
constexpr LPARAM kKeyRepeatCountOne = 1;
constexpr LPARAM kKeyPreviousDown = LPARAM{1} << 30;
constexpr LPARAM kKeyTransitionUp = LPARAM{1} << 31;
constexpr int kBackspace = 8;

// The platform's virtual-key codes for the keys the system reads.
int VirtualKey(SDL_Keycode k) {
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
  switch (k) {
    case SDLK_KP_0: return 96;
    case SDLK_KP_1: return 97;
    case SDLK_KP_2: return 98;
    case SDLK_KP_3: return 99;
    case SDLK_KP_4: return 100;
    case SDLK_KP_5: return 101;
    case SDLK_KP_6: return 102;
    case SDLK_KP_7: return 103;
    case SDLK_KP_8: return 104;
    case SDLK_KP_9: return 105;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN: case SDLK_KP_ENTER: return 13;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL: case SDLK_RCTRL: return 17;
    case SDLK_LALT: case SDLK_RALT: return 18;
    case SDLK_SPACE: return 32;
    case SDLK_END: return 35;
    case SDLK_HOME: return 36;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_DELETE: return 46;
    default: return 0;
  }
}

WPARAM ButtonFlag(uint8_t button) {
  return button == SDL_BUTTON_LEFT ? MK_LBUTTON : button == SDL_BUTTON_RIGHT ? MK_RBUTTON : 0;
}

}  // namespace

SdlWindow::~SdlWindow() { Destroy(); }

Point SdlWindow::QueryScreenSize() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return {0, 0};
  SDL_Rect r;
  if (SDL_GetDisplayBounds(0, &r) != 0) return {0, 0};
  return {r.w, r.h};
}

bool SdlWindow::Create(const char* title, int x, int y, int width, int height) {
  // The plain window surface: presenting a few changed rectangles of it costs
  // a fraction of a millisecond, where the accelerated path copies the whole
  // window each time and holds up the 5 ms tick.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  SDL_Window* w = SDL_CreateWindow(title, x, y, width, height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!w) return false;
  window_ = w;
  rect_ = {x, y, x + width, y + height};
  wake_event_ = SDL_RegisterEvents(1);
  cursors_[0] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  cursors_[1] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
  cursors_[2] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZEALL);
  SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
  SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);
  SDL_StartTextInput();
  return true;
}

void SdlWindow::Show() {
  if (!window_) return;
  SDL_ShowWindow(Sdl(window_));
  SDL_SetWindowPosition(Sdl(window_), rect_.left, rect_.top);
  SDL_RaiseWindow(Sdl(window_));
}

void SdlWindow::Destroy() {
  if (!window_) return;
  SDL_SetWindowMouseRect(Sdl(window_), nullptr);
  SDL_CaptureMouse(SDL_FALSE);
  for (void*& c : cursors_) {
    if (c) SDL_FreeCursor(static_cast<SDL_Cursor*>(c));
    c = nullptr;
  }
  SDL_DestroyWindow(Sdl(window_));
  window_ = nullptr;
}

void SdlWindow::Wake() {
  if (wake_event_ == 0 || wake_event_ == static_cast<uint32_t>(-1)) return;
  if (wake_pending_.exchange(true)) return;  // one wake-up in the queue is enough
  SDL_Event e;
  SDL_zero(e);
  e.type = wake_event_;
  SDL_PushEvent(&e);
}

void SdlWindow::WaitMessages(std::vector<Message>* out, int timeout_ms) {
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, timeout_ms)) {
    Translate(&e, out);
    while (SDL_PollEvent(&e)) Translate(&e, out);
  }
  if (captured_) FollowCapturedPointer(out);
}

void SdlWindow::FollowCapturedPointer(std::vector<Message>* out) {
  // The window system reports every change of the captured pointer's place in
  // the window: a move of the pointer, and a move of the window under it (each
  // step of a drag). SDL reports neither when the new window point equals the
  // last one it reported, as a drag's steps make it; the view, which passes
  // over a move to the point it already holds, needs both to follow a drag.
  const Point at = GetCursorPos();
  const Point client{at.x - rect_.left, at.y - rect_.top};
  if (client.x == last_pointer_.x && client.y == last_pointer_.y) return;
  last_pointer_ = client;
  out->push_back({WM_MOUSEMOVE, buttons_, MakePointParam(client.x, client.y)});
}

void SdlWindow::Translate(const void* event, std::vector<Message>* out) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(event);
  if (e.type == wake_event_) {
    wake_pending_ = false;
    return;
  }
  switch (e.type) {
    case SDL_QUIT:
      out->push_back({WM_CLOSE, 0, 0});
      break;
    case SDL_WINDOWEVENT:
      // A message box's window has events of its own; a late one is not ours.
      if (e.window.windowID != SDL_GetWindowID(Sdl(window_))) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) out->push_back({WM_CLOSE, 0, 0});
      if (e.window.event == SDL_WINDOWEVENT_MOVED) {
        const int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
        rect_ = {e.window.data1, e.window.data2, e.window.data1 + w, e.window.data2 + h};
      }
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED && last_client_) {
        Present(*last_client_, {{0, 0, last_client_->width(), last_client_->height()}});
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int vk = VirtualKey(e.key.keysym.sym);
      if (vk == 0) break;
      const bool down = e.type == SDL_KEYDOWN;
      LPARAM l = kKeyRepeatCountOne;
      if (!down) l |= kKeyPreviousDown | kKeyTransitionUp;
      else if (e.key.repeat) l |= kKeyPreviousDown;
      out->push_back({down ? WM_KEYDOWN : WM_KEYUP, vk, l});
      if (down && vk == kBackspace) out->push_back({WM_CHAR, kBackspace, 0});
      break;
    }
    case SDL_TEXTINPUT:
      for (const char* c = e.text.text; *c; ++c) {
        if (static_cast<unsigned char>(*c) < 128) out->push_back({WM_CHAR, *c, 0});
      }
      break;
    case SDL_MOUSEMOTION: {
      const bool inside = e.motion.x >= 0 && e.motion.y >= 0 && e.motion.x < rect_.right - rect_.left &&
                          e.motion.y < rect_.bottom - rect_.top;
      if (inside && !captured_) out->push_back({WM_SETCURSOR, 0, 0});
      out->push_back({WM_MOUSEMOVE, buttons_, MakePointParam(e.motion.x, e.motion.y)});
      last_pointer_ = {e.motion.x, e.motion.y};
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const WPARAM flag = ButtonFlag(e.button.button);
      if (flag == 0) break;
      // Where a held pointer went comes before the button that may end the hold.
      if (captured_) FollowCapturedPointer(out);
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (down) buttons_ |= flag; else buttons_ &= ~flag;
      uint32_t msg;
      const bool left = flag == MK_LBUTTON;
      if (!down) msg = left ? WM_LBUTTONUP : WM_RBUTTONUP;
      else if (e.button.clicks % 2 == 0) msg = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
      else msg = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
      out->push_back({msg, buttons_, MakePointParam(e.button.x, e.button.y)});
      break;
    }
    case SDL_DROPBEGIN:
      dropping_.clear();
      break;
    case SDL_DROPFILE:
      if (e.drop.file) {
        if (accept_files_) dropping_.push_back(e.drop.file);
        SDL_free(e.drop.file);
      }
      break;
    case SDL_DROPCOMPLETE:
      if (accept_files_ && !dropping_.empty()) {
        dropped_ = std::move(dropping_);
        out->push_back({WM_DROPFILES, 0, 0});
      }
      dropping_.clear();
      break;
    default:
      break;
  }
}

void SdlWindow::DropModalInput(const void* event) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(event);
  if (e.type == SDL_MOUSEBUTTONUP) buttons_ &= ~ButtonFlag(e.button.button);
}

Rect SdlWindow::GetWindowRect() const { return rect_; }

void SdlWindow::MoveWindow(int x, int y) {
  const int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
  rect_ = {x, y, x + w, y + h};
  if (window_) SDL_SetWindowPosition(Sdl(window_), x, y);
}

void SdlWindow::Minimize() {
  if (window_) SDL_MinimizeWindow(Sdl(window_));
}

Point SdlWindow::ScreenSize() const {
  SDL_Rect r;
  const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(Sdl(window_))) : 0;
  if (SDL_GetDisplayBounds(display, &r) != 0) return {0, 0};
  return {r.w, r.h};
}

Point SdlWindow::GetCursorPos() const {
  int x = 0, y = 0;
  if (window_ && QueryX11Pointer(window_, &x, &y)) return {x, y};
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

void SdlWindow::SetCursorShape(CursorShape shape) {
  void* c = cursors_[static_cast<int>(shape)];
  if (c) SDL_SetCursor(static_cast<SDL_Cursor*>(c));
}

void SdlWindow::SetCapture() {
  captured_ = true;
  const Point at = GetCursorPos();
  last_pointer_ = {at.x - rect_.left, at.y - rect_.top};
  SDL_CaptureMouse(SDL_TRUE);
}
void SdlWindow::ReleaseCapture() {
  captured_ = false;
  SDL_CaptureMouse(SDL_FALSE);
}

Point SdlWindow::ClientToScreen(Point c) const { return {c.x + rect_.left, c.y + rect_.top}; }
Point SdlWindow::ScreenToClient(Point s) const { return {s.x - rect_.left, s.y - rect_.top}; }

void SdlWindow::ClipCursor(const Rect* screen) {
  if (!window_) return;
  if (!screen) {
    SDL_SetWindowMouseRect(Sdl(window_), nullptr);
    return;
  }
  const SDL_Rect r{screen->left - rect_.left, screen->top - rect_.top, screen->right - screen->left,
                   screen->bottom - screen->top};
  SDL_SetWindowMouseRect(Sdl(window_), &r);
}

void SdlWindow::DragAcceptFiles(bool accept) {
  accept_files_ = accept;
  SDL_EventState(SDL_DROPFILE, accept ? SDL_ENABLE : SDL_DISABLE);
  SDL_EventState(SDL_DROPBEGIN, accept ? SDL_ENABLE : SDL_DISABLE);
  SDL_EventState(SDL_DROPCOMPLETE, accept ? SDL_ENABLE : SDL_DISABLE);
}

std::vector<std::string> SdlWindow::TakeDroppedFiles() {
  std::vector<std::string> out;
  out.swap(dropped_);
  return out;
}

void SdlWindow::Present(const Picture& client, const std::vector<Rect>& rects) {
  last_client_ = &client;
  PresentOnWindowSurface(window_, client, rects);
}

void SdlWindow::Bell() {
  // SDL has no bell of its own; X11 has one. libX11 is already loaded by SDL
  // when the window is on X, so it is looked up rather than linked.
  if (!window_ || std::strcmp(SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "", "x11") != 0) return;
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!x11) return;
  using OpenDisplay = void* (*)(const char*);
  using BellFn = int (*)(void*, int);
  using Close = int (*)(void*);
  auto open = reinterpret_cast<OpenDisplay>(dlsym(x11, "XOpenDisplay"));
  auto bell = reinterpret_cast<BellFn>(dlsym(x11, "XBell"));
  auto close = reinterpret_cast<Close>(dlsym(x11, "XCloseDisplay"));
  if (open && bell && close) {
    if (void* d = open(nullptr)) {
      bell(d, 0);
      close(d);  // closing flushes the request
    }
  }
  dlclose(x11);
}

bool WindowQueue::Post(const Message& m) {
  const bool ok = queue_.Post(m);
  if (ok && window_) window_->Wake();
  return ok;
}
