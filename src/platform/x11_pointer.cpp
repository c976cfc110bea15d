#include "platform/x11_pointer.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace {

using QueryPointer = Bool (*)(Display*, Window, Window*, Window*, int*, int*, int*, int*, unsigned int*);

// libX11 is loaded by SDL's video on X; it is looked up rather than linked.
QueryPointer FindQueryPointer() {
  static QueryPointer query = [] {
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!x11) return QueryPointer{nullptr};
    auto found = reinterpret_cast<QueryPointer>(dlsym(x11, "XQueryPointer"));
    dlclose(x11);  // SDL keeps the library loaded
    return found;
  }();
  return query;
}

}  // namespace

bool QueryX11Pointer(void* sdl_window, Point* screen) {
  if (!sdl_window) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdl_window), &info) || info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  const QueryPointer query = FindQueryPointer();
  if (!query) return false;
  Window root, child;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned int mask = 0;
  if (!query(info.info.x11.display, info.info.x11.window, &root, &child, &rx, &ry, &wx, &wy, &mask)) return false;
  *screen = {rx, ry};
  return true;
}
