#include "platform/sdl_message_box.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/box_drawing.h"
#include "platform/sdl_surface.h"
#include "platform/sdl_window.h"
#include "platform/x11_errors.h"

namespace {

SDL_Window* Sdl(void* w) {
  return static_cast<SDL_Window*>(w);
}

// The offscreen and dummy drivers make windows nobody sees: a box there could
// never be dismissed.
bool DisplayIsSeen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool IsKeyboard(uint32_t type) {
  return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_TEXTEDITING ||
         type == SDL_TEXTINPUT;
}

bool IsPointer(uint32_t type) {
  switch (type) {
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION:
    case SDL_DOLLARGESTURE:
    case SDL_MULTIGESTURE:
      return true;
    default:
      return false;
  }
}

bool IsDrop(uint32_t type) {
  return type == SDL_DROPBEGIN || type == SDL_DROPFILE || type == SDL_DROPTEXT ||
         type == SDL_DROPCOMPLETE;
}

uint32_t WindowOf(const SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT:
      return e.window.windowID;
    case SDL_MOUSEMOTION:
      return e.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return e.button.windowID;
    case SDL_MOUSEWHEEL:
      return e.wheel.windowID;
    default:
      return 0;
  }
}

bool IsDismissKey(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
}

// Video for the box: the program's own when its window runs, else started here
// (a second start shows its box before any window) and left running for the
// window that may follow.
bool StartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  // The plain window surface, as the program's window uses it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// The box's window while it shows: its picture, the button's look, and the
// events of other windows held back until it closes.
class BoxWindow {
 public:
  BoxWindow(SDL_Window* window, const BoxLayout& box, const Font& font)
      : m_Window(window),
        m_Id(SDL_GetWindowID(window)),
        m_Box(box),
        m_Font(font),
        m_Canvas(box.width, box.height) {
    DrawMessageBox(m_Canvas, m_Box, m_Font, false);
  }

  // Runs until the box is dismissed. Events of other windows that are not
  // input come back into the queue afterwards (a paint of the owner, the
  // program's own wake-ups); their input is dropped, as a modal box does.
  void Run(SdlWindow* owner) {
    Present();
    std::vector<SDL_Event> held;
    SDL_Event e;
    while (!m_Done && SDL_WaitEvent(&e)) {
      if (IsKeyboard(e.type)) {
        // The keyboard belongs to the modal box, whichever window had it.
        if (e.type == SDL_KEYDOWN && !e.key.repeat && IsDismissKey(e.key.keysym.sym)) m_Done = true;
      } else if (WindowOf(e) == m_Id) {
        Handle(e);
      } else if (IsPointer(e.type)) {
        if (owner) owner->DropModalInput(&e);
      } else if (IsDrop(e.type)) {
        if (e.type == SDL_DROPFILE || e.type == SDL_DROPTEXT) SDL_free(e.drop.file);
      } else if (e.type == SDL_QUIT && !owner) {
        m_Done = true;  // the close of the only window there is, or a request to end
      } else {
        held.push_back(e);
      }
    }
    for (SDL_Event& h : held) SDL_PushEvent(&h);
  }

 private:
  void Handle(const SDL_Event& e) {
    switch (e.type) {
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) m_Done = true;
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN)
          Present();
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT && InRect(m_Box.button, e.button.x, e.button.y)) {
          m_Holding = true;
          Look(true);
        }
        break;
      case SDL_MOUSEMOTION:
        if (m_Holding) Look(InRect(m_Box.button, e.motion.x, e.motion.y));
        break;
      case SDL_MOUSEBUTTONUP:
        // A click is a press and a release both on the button.
        if (e.button.button != SDL_BUTTON_LEFT || !m_Holding) break;
        m_Holding = false;
        if (InRect(m_Box.button, e.button.x, e.button.y))
          m_Done = true;
        else
          Look(false);
        break;
      default:
        break;
    }
  }

  void Look(bool pressed) {
    if (pressed == m_Pressed) return;
    m_Pressed = pressed;
    DrawMessageBox(m_Canvas, m_Box, m_Font, pressed);
    Present();
  }

  void Present() {
    m_Canvas.TakeDirty();
    PresentOnWindowSurface(m_Window, m_Canvas.picture(), {{0, 0, m_Box.width, m_Box.height}});
  }

  SDL_Window* m_Window;
  uint32_t m_Id;
  const BoxLayout& m_Box;
  const Font& m_Font;
  Canvas m_Canvas;
  bool m_Holding = false;  // the left button went down on OK and is still held
  bool m_Pressed = false;
  bool m_Done = false;
};

}  // namespace

void SdlMessageBoxSink::Show(const std::string& text, const std::string& caption, int type) {
  if (!ShowWindowed(text, caption, type))
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
}

bool SdlMessageBoxSink::ShowWindowed(const std::string& text, const std::string& caption,
                                     int type) {
  if (!StartVideo() || !DisplayIsSeen()) return false;
  IgnoreWakeupsToClosedWindows();
  if (!m_Font.valid()) m_Font = OpenMessageBoxFont();
  if (!m_Font.valid()) return false;
  const BoxLayout box = LayOutMessageBox(text, caption, type, m_Font);

  SDL_Window* parent = m_Owner ? Sdl(m_Owner->native()) : nullptr;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (parent) {
    const Rect r = m_Owner->GetWindowRect();
    x = std::max(0, r.left + (r.right - r.left - box.width) / 2);
    y = std::max(0, r.top + (r.bottom - r.top - box.height) / 2);
  }
  SDL_Window* window =
      SDL_CreateWindow(caption.c_str(), x, y, box.width, box.height, SDL_WINDOW_HIDDEN);
  if (!window) return false;
  if (parent) SDL_SetWindowModalFor(window, parent);

  // The pointer shape is the program's, shared by its windows: an arrow over
  // the box, whatever the panel showed.
  SDL_Cursor* previous_cursor = SDL_GetCursor();
  SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  if (arrow) SDL_SetCursor(arrow);
  // The panel may hold the pointer for a drag; the box must get its clicks.
  if (m_Owner) m_Owner->ReleaseCapture();

  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  // Without a window manager nothing gives the new window the keyboard.
  SDL_SetWindowInputFocus(window);
  BoxWindow(window, box, m_Font).Run(m_Owner);

  SDL_DestroyWindow(window);
  if (arrow) {
    SDL_SetCursor(previous_cursor);
    SDL_FreeCursor(arrow);
  }
  // The keyboard goes back to the owner (it went nowhere once the box was gone).
  if (parent && (SDL_GetWindowFlags(parent) & SDL_WINDOW_SHOWN)) SDL_SetWindowInputFocus(parent);
  return true;
}

void SdlMessageBoxSink::Beep(int) {
  if (m_Owner) m_Owner->Bell();
}
