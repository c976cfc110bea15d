#include "platform/sdl_message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl_window.h"

void SdlMessageBoxSink::Show(const std::string& text, const std::string& caption, int type) {
  uint32_t flags = SDL_MESSAGEBOX_INFORMATION;
  const int icon = type & 0xF0;
  if (icon == MB_ICONHAND) flags = SDL_MESSAGEBOX_ERROR;
  else if (icon == MB_ICONEXCLAMATION) flags = SDL_MESSAGEBOX_WARNING;
  SDL_Window* parent = m_Owner ? static_cast<SDL_Window*>(m_Owner->native()) : nullptr;
  if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), parent) != 0) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  }
}

void SdlMessageBoxSink::Beep(int) {
  if (m_Owner) m_Owner->Bell();
}
