#include "platform/pictures.h"

#include <SDL.h>

#include "platform/working_dir.h"

namespace {

constexpr const char* kPictureFolder = "Bitmap/";

}  // namespace

Picture ReadBmp(const std::string& path) {
  SDL_Surface* s = SDL_LoadBMP(path.c_str());
  if (!s) return {};
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return {};
  Picture p(argb->w, argb->h);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                        static_cast<size_t>(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x) p.At(x, y) = row[x] & 0xFFFFFF;
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return p;
}

bool WriteBmp(const std::string& path, const Picture& picture) {
  if (picture.empty()) return false;
  // 24-bit BMP, as every picture tool reads it.
  SDL_Surface* s =
      SDL_CreateRGBSurfaceWithFormat(0, picture.width(), picture.height(), 24, SDL_PIXELFORMAT_BGR24);
  if (!s) return false;
  SDL_LockSurface(s);
  for (int y = 0; y < picture.height(); ++y) {
    uint8_t* row = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    for (int x = 0; x < picture.width(); ++x) {
      Pixel p = picture.At(x, y);
      row[3 * x + 0] = p & 0xFF;
      row[3 * x + 1] = (p >> 8) & 0xFF;
      row[3 * x + 2] = (p >> 16) & 0xFF;
    }
  }
  SDL_UnlockSurface(s);
  bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

Picture LoadPicture(const std::string& name) {
  return ReadBmp(WorkingDirectoryPath(kPictureFolder + name));
}
