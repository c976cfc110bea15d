#include "platform/x11_errors.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>

#include <cstring>

namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
ErrorHandler g_previous = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_previous ? g_previous(display, error) : 0;
}

}  // namespace

void IgnoreWakeupsToClosedWindows() {
  static bool installed = false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (installed || !driver || std::strcmp(driver, "x11") != 0) return;
  // libX11 is loaded by SDL's video on X; it is looked up rather than linked.
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!x11) return;
  using SetHandler = ErrorHandler (*)(ErrorHandler);
  auto set = reinterpret_cast<SetHandler>(dlsym(x11, "XSetErrorHandler"));
  if (set) {
    g_previous = set(OnXError);
    installed = true;
  }
  dlclose(x11);
}
