#include "platform/x11_pointer.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

namespace {

using QueryPointer = Bool (*)(Display*, ::Window, ::Window*, ::Window*, int*, int*, int*, int*,
                              unsigned int*);

QueryPointer LookUpQueryPointer() {
  // libX11 is loaded by SDL's video on X; it is looked up rather than linked.
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!x11) return nullptr;
  auto query = reinterpret_cast<QueryPointer>(dlsym(x11, "XQueryPointer"));
  // SDL keeps the library loaded for as long as its video runs.
  dlclose(x11);
  return query;
}

}  // namespace

bool QueryX11Pointer(void* sdl_window, int* x, int* y) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!sdl_window || !SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdl_window), &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  static const QueryPointer query = LookUpQueryPointer();
  if (!query) return false;
  ::Window root = 0, child = 0;
  int window_x = 0, window_y = 0;
  unsigned int buttons = 0;
  return query(info.info.x11.display, info.info.x11.window, &root, &child, x, y, &window_x, &window_y,
               &buttons) != 0;
}
