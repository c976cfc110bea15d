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
  m_Window = w;
  m_Rect = {x, y, x + width, y + height};
  m_WakeEvent = SDL_RegisterEvents(1);
  m_Cursors[0] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  m_Cursors[1] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
  m_Cursors[2] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZEALL);
  SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
  SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);
  SDL_StartTextInput();
  return true;
}

void SdlWindow::Show() {
  if (!m_Window) return;
  SDL_ShowWindow(Sdl(m_Window));
  SDL_SetWindowPosition(Sdl(m_Window), m_Rect.left, m_Rect.top);
  SDL_RaiseWindow(Sdl(m_Window));
}

void SdlWindow::Destroy() {
  if (!m_Window) return;
  SDL_SetWindowMouseRect(Sdl(m_Window), nullptr);
  SDL_CaptureMouse(SDL_FALSE);
  for (void*& c : m_Cursors) {
    if (c) SDL_FreeCursor(static_cast<SDL_Cursor*>(c));
    c = nullptr;
  }
  SDL_DestroyWindow(Sdl(m_Window));
  m_Window = nullptr;
}

void SdlWindow::Wake() {
  if (m_WakeEvent == 0 || m_WakeEvent == static_cast<uint32_t>(-1)) return;
  if (m_WakePending.exchange(true)) return;  // one wake-up in the queue is enough
  SDL_Event e;
  SDL_zero(e);
  e.type = m_WakeEvent;
  SDL_PushEvent(&e);
}

void SdlWindow::WaitMessages(std::vector<Message>* out, int timeout_ms) {
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, timeout_ms)) {
    Translate(&e, out);
    while (SDL_PollEvent(&e)) Translate(&e, out);
  }
  if (m_Captured) FollowCapturedPointer(out);
}

void SdlWindow::FollowCapturedPointer(std::vector<Message>* out) {
  // The window system reports every change of the captured pointer's place in
  // the window: a move of the pointer, and a move of the window under it (each
  // step of a drag). SDL reports neither when the new window point equals the
  // last one it reported, as a drag's steps make it; the view, which passes
  // over a move to the point it already holds, needs both to follow a drag.
  const Point at = GetCursorPos();
  const Point client{at.x - m_Rect.left, at.y - m_Rect.top};
  if (client.x == m_LastPointer.x && client.y == m_LastPointer.y) return;
  m_LastPointer = client;
  out->push_back({WM_MOUSEMOVE, m_Buttons, MakePointParam(client.x, client.y)});
}

void SdlWindow::Translate(const void* event, std::vector<Message>* out) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(event);
  if (e.type == m_WakeEvent) {
    m_WakePending = false;
    return;
  }
  switch (e.type) {
    case SDL_QUIT:
      out->push_back({WM_CLOSE, 0, 0});
      break;
    case SDL_WINDOWEVENT:
      // A message box's window has events of its own; a late one is not ours.
      if (e.window.windowID != SDL_GetWindowID(Sdl(m_Window))) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) out->push_back({WM_CLOSE, 0, 0});
      if (e.window.event == SDL_WINDOWEVENT_MOVED) {
        const int w = m_Rect.right - m_Rect.left, h = m_Rect.bottom - m_Rect.top;
        m_Rect = {e.window.data1, e.window.data2, e.window.data1 + w, e.window.data2 + h};
      }
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED && m_LastClient) {
        Present(*m_LastClient, {{0, 0, m_LastClient->width(), m_LastClient->height()}});
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
      const bool inside = e.motion.x >= 0 && e.motion.y >= 0 && e.motion.x < m_Rect.right - m_Rect.left &&
                          e.motion.y < m_Rect.bottom - m_Rect.top;
      if (inside && !m_Captured) out->push_back({WM_SETCURSOR, 0, 0});
      out->push_back({WM_MOUSEMOVE, m_Buttons, MakePointParam(e.motion.x, e.motion.y)});
      m_LastPointer = {e.motion.x, e.motion.y};
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const WPARAM flag = ButtonFlag(e.button.button);
      if (flag == 0) break;
      // Where a held pointer went comes before the button that may end the hold.
      if (m_Captured) FollowCapturedPointer(out);
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (down) m_Buttons |= flag; else m_Buttons &= ~flag;
      uint32_t msg;
      const bool left = flag == MK_LBUTTON;
      if (!down) msg = left ? WM_LBUTTONUP : WM_RBUTTONUP;
      else if (e.button.clicks % 2 == 0) msg = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
      else msg = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
      out->push_back({msg, m_Buttons, MakePointParam(e.button.x, e.button.y)});
      break;
    }
    case SDL_DROPBEGIN:
      m_Dropping.clear();
      break;
    case SDL_DROPFILE:
      if (e.drop.file) {
        if (m_AcceptFiles) m_Dropping.push_back(e.drop.file);
        SDL_free(e.drop.file);
      }
      break;
    case SDL_DROPCOMPLETE:
      if (m_AcceptFiles && !m_Dropping.empty()) {
        m_Dropped = std::move(m_Dropping);
        out->push_back({WM_DROPFILES, 0, 0});
      }
      m_Dropping.clear();
      break;
    default:
      break;
  }
}

void SdlWindow::DropModalInput(const void* event) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(event);
  if (e.type == SDL_MOUSEBUTTONUP) m_Buttons &= ~ButtonFlag(e.button.button);
}

Rect SdlWindow::GetWindowRect() const { return m_Rect; }

void SdlWindow::MoveWindow(int x, int y) {
  const int w = m_Rect.right - m_Rect.left, h = m_Rect.bottom - m_Rect.top;
  m_Rect = {x, y, x + w, y + h};
  if (m_Window) SDL_SetWindowPosition(Sdl(m_Window), x, y);
}

void SdlWindow::Minimize() {
  if (m_Window) SDL_MinimizeWindow(Sdl(m_Window));
}

Point SdlWindow::ScreenSize() const {
  SDL_Rect r;
  const int display = m_Window ? std::max(0, SDL_GetWindowDisplayIndex(Sdl(m_Window))) : 0;
  if (SDL_GetDisplayBounds(display, &r) != 0) return {0, 0};
  return {r.w, r.h};
}

Point SdlWindow::GetCursorPos() const {
  int x = 0, y = 0;
  if (m_Window && QueryX11Pointer(m_Window, &x, &y)) return {x, y};
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

void SdlWindow::SetCursorShape(CursorShape shape) {
  void* c = m_Cursors[static_cast<int>(shape)];
  if (c) SDL_SetCursor(static_cast<SDL_Cursor*>(c));
}

void SdlWindow::SetCapture() {
  m_Captured = true;
  const Point at = GetCursorPos();
  m_LastPointer = {at.x - m_Rect.left, at.y - m_Rect.top};
  SDL_CaptureMouse(SDL_TRUE);
}
void SdlWindow::ReleaseCapture() {
  m_Captured = false;
  SDL_CaptureMouse(SDL_FALSE);
}

Point SdlWindow::ClientToScreen(Point c) const { return {c.x + m_Rect.left, c.y + m_Rect.top}; }
Point SdlWindow::ScreenToClient(Point s) const { return {s.x - m_Rect.left, s.y - m_Rect.top}; }

void SdlWindow::ClipCursor(const Rect* screen) {
  if (!m_Window) return;
  if (!screen) {
    SDL_SetWindowMouseRect(Sdl(m_Window), nullptr);
    return;
  }
  const SDL_Rect r{screen->left - m_Rect.left, screen->top - m_Rect.top, screen->right - screen->left,
                   screen->bottom - screen->top};
  SDL_SetWindowMouseRect(Sdl(m_Window), &r);
}

void SdlWindow::DragAcceptFiles(bool accept) {
  m_AcceptFiles = accept;
  SDL_EventState(SDL_DROPFILE, accept ? SDL_ENABLE : SDL_DISABLE);
  SDL_EventState(SDL_DROPBEGIN, accept ? SDL_ENABLE : SDL_DISABLE);
  SDL_EventState(SDL_DROPCOMPLETE, accept ? SDL_ENABLE : SDL_DISABLE);
}

std::vector<std::string> SdlWindow::TakeDroppedFiles() {
  std::vector<std::string> out;
  out.swap(m_Dropped);
  return out;
}

void SdlWindow::Present(const Picture& client, const std::vector<Rect>& rects) {
  m_LastClient = &client;
  PresentOnWindowSurface(m_Window, client, rects);
}

void SdlWindow::Bell() {
  // SDL has no bell of its own; X11 has one. libX11 is already loaded by SDL
  // when the window is on X, so it is looked up rather than linked.
  if (!m_Window || std::strcmp(SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "", "x11") != 0) return;
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
