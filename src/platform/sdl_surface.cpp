#include "platform/sdl_surface.h"

#include <SDL.h>

#include <algorithm>

void PresentOnWindowSurface(void* window, const Picture& client, const std::vector<Rect>& rects) {
  if (!window || rects.empty()) return;
  SDL_Window* w = static_cast<SDL_Window*>(window);
  SDL_Surface* surface = SDL_GetWindowSurface(w);
  if (!surface) return;
  std::vector<SDL_Rect> update;
  update.reserve(rects.size());
  SDL_LockSurface(surface);
  for (const Rect& r0 : rects) {
    const Rect r{std::max(r0.left, 0), std::max(r0.top, 0),
                 std::min({r0.right, client.width(), surface->w}),
                 std::min({r0.bottom, client.height(), surface->h})};
    if (r.right <= r.left || r.bottom <= r.top) continue;
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    const Pixel* src = &client.pixels()[static_cast<size_t>(r.top) * client.width() + r.left];
    uint8_t* dst = static_cast<uint8_t*>(surface->pixels) +
                   static_cast<size_t>(r.top) * surface->pitch +
                   static_cast<size_t>(r.left) * surface->format->BytesPerPixel;
    // The picture holds 0x00RRGGBB words, the layout of SDL's RGB888.
    SDL_ConvertPixels(rw, rh, SDL_PIXELFORMAT_RGB888, src, client.width() * 4,
                      surface->format->format, dst, surface->pitch);
    update.push_back({r.left, r.top, rw, rh});
  }
  SDL_UnlockSurface(surface);
  if (!update.empty())
    SDL_UpdateWindowSurfaceRects(w, update.data(), static_cast<int>(update.size()));
}
