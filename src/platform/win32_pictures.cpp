// Pictures through GDI: LoadImageA reads a BMP file of any depth, GetDIBits
// gives its pixels at 32 bits. Writing makes a plain 24-bit BMP file.
#include <cstdio>
#include <vector>

#include "platform/pictures.h"
#include "platform/working_dir.h"
#include "platform/win32_api.h"

namespace {

constexpr const char* kPictureFolder = "Bitmap\\";

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

Picture ReadBmp(const std::string& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  Picture p(bm.bmWidth, bm.bmHeight);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), p.pixels().data(), &info,
                             DIB_RGB_COLORS);
  DeleteDC(dc);
  DeleteObject(bitmap);
  if (rows != bm.bmHeight) return {};
  for (Pixel& px : p.pixels()) px &= 0xFFFFFF;
  return p;
}

bool WriteBmp(const std::string& path, const Picture& picture) {
  if (picture.empty()) return false;
  const uint32_t row = (static_cast<uint32_t>(picture.width()) * 3 + 3) & ~3u;
  const uint32_t image = row * static_cast<uint32_t>(picture.height());
  std::vector<uint8_t> out;
  out.reserve(54 + image);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, 54 + image, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);                      // pixels start after both headers
  PutLe(out, 40, 4);                      // BITMAPINFOHEADER
  PutLe(out, static_cast<uint32_t>(picture.width()), 4);
  PutLe(out, static_cast<uint32_t>(picture.height()), 4);  // bottom-up rows
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);  // BI_RGB
  PutLe(out, image, 4);
  PutLe(out, 2835, 4);  // 72 dpi
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = picture.height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Pixel p = picture.At(x, y);
      out.push_back(p & 0xFF);
      out.push_back((p >> 8) & 0xFF);
      out.push_back((p >> 16) & 0xFF);
    }
    for (uint32_t pad = static_cast<uint32_t>(picture.width()) * 3; pad < row; ++pad) out.push_back(0);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

Picture LoadPicture(const std::string& name) {
  return ReadBmp(WorkingDirectoryPath(kPictureFolder + name));
}
