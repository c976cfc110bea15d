// Text faces of the panel through GDI: CreateFontA with the cell height asked
// for, text drawn white on black into a memory bitmap and read back as
// coverage values. In place of a font file, a font is known by its full face
// name.
#include <cstring>
#include <vector>

#include "platform/fonts.h"
#include "platform/win32_api.h"

namespace {

// The panel's fixed-pitch face; where it is absent GDI's fixed-pitch choice.
constexpr const char* kFixedFace = "BatangChe";

struct GdiFont {
  HFONT font = nullptr;
  HDC dc = nullptr;
  int height = 0;
};

GdiFont* Handle(void* p) { return static_cast<GdiFont*>(p); }

HFONT Create(const char* face, int height, int weight, DWORD pitch) {
  // A positive height asks for the cell height (ascent plus descent).
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, pitch, face);
}

// The family GDI actually chose for a font.
std::string ChosenFace(HDC dc, HFONT font) {
  HGDIOBJ old = SelectObject(dc, font);
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof name, name);
  SelectObject(dc, old);
  return name;
}

// The name of the face selected into dc ("Arial Bold"), else its family.
std::string FullFaceName(HDC dc) {
  const UINT size = GetOutlineTextMetricsA(dc, 0, nullptr);
  if (size > 0) {
    std::vector<char> buffer(size);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
    if (GetOutlineTextMetricsA(dc, size, otm) != 0) {
      const size_t offset = reinterpret_cast<uintptr_t>(otm->otmpFaceName);
      if (offset > 0 && offset < size) return std::string(buffer.data() + offset);
    }
  }
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof name, name);
  return name;
}

bool HasFace(HDC dc, const char* face, int height, int weight) {
  HFONT font = Create(face, height, weight, DEFAULT_PITCH | FF_DONTCARE);
  if (!font) return false;
  const bool same = _stricmp(ChosenFace(dc, font).c_str(), face) == 0;
  DeleteObject(font);
  return same;
}

int CellHeight(HDC dc, HFONT font) {
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight;
}

// The largest font whose cell is at most height pixels: a face's rounding may
// give a pixel less or more than asked (Liberation Sans has no 18-pixel cell).
// The text cell is then the height asked, the glyphs at its top.
HFONT CreateWithCell(HDC dc, const char* face, int height, int weight, DWORD pitch) {
  constexpr int kMostExtra = 4;
  HFONT best = nullptr;
  for (int ask = height; ask <= height + kMostExtra; ++ask) {
    HFONT font = Create(face, ask, weight, pitch);
    if (!font) break;
    const int cell = CellHeight(dc, font);
    if (cell > height && best) {
      DeleteObject(font);
      break;
    }
    if (best) DeleteObject(best);
    best = font;
    if (cell >= height) break;
  }
  return best;
}

void Destroy(GdiFont* f) {
  if (!f) return;
  if (f->dc) DeleteDC(f->dc);
  if (f->font) DeleteObject(f->font);
  delete f;
}

}  // namespace

std::string FindFontFile(const char* face, int weight) {
  Font f = Font::Open(face, 16, weight);
  return f.file();
}

Font::~Font() { Destroy(Handle(m_Font)); }

Font::Font(Font&& other) noexcept : m_Font(other.m_Font), m_File(std::move(other.m_File)) {
  other.m_Font = nullptr;
}

Font& Font::operator=(Font&& other) noexcept {
  if (this != &other) {
    Destroy(Handle(m_Font));
    m_Font = other.m_Font;
    m_File = std::move(other.m_File);
    other.m_Font = nullptr;
  }
  return *this;
}

Font Font::Open(const char* face, int height, int weight) {
  Font f;
  if (height <= 0) return f;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return f;
  const bool fixed_stand_in = _stricmp(face, kFixedFace) == 0 && !HasFace(dc, face, height, weight);
  HFONT font = fixed_stand_in ? CreateWithCell(dc, nullptr, height, weight, FIXED_PITCH | FF_MODERN)
                              : CreateWithCell(dc, face, height, weight, DEFAULT_PITCH | FF_DONTCARE);
  if (!font) {
    DeleteDC(dc);
    return f;
  }
  auto* g = new GdiFont{font, dc, height};
  SelectObject(dc, font);
  f.m_File = FullFaceName(dc);
  f.m_Font = g;
  return f;
}

int Font::height() const { return m_Font ? Handle(m_Font)->height : 0; }

int Font::TextWidth(const std::string& text) const {
  if (!m_Font || text.empty()) return 0;
  SIZE size{};
  if (!GetTextExtentPoint32A(Handle(m_Font)->dc, text.c_str(), static_cast<int>(text.size()), &size)) {
    return 0;
  }
  return size.cx;
}

bool Font::Render(const std::string& text, std::vector<uint8_t>* coverage, int* width) const {
  const int w = TextWidth(text);
  if (!m_Font || w <= 0) return false;
  const GdiFont& g = *Handle(m_Font);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -g.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(g.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return false;
  HGDIOBJ old = SelectObject(g.dc, bitmap);
  std::memset(bits, 0, static_cast<size_t>(w) * g.height * 4);
  SetBkMode(g.dc, TRANSPARENT);
  SetTextColor(g.dc, RGB(255, 255, 255));
  TextOutA(g.dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  coverage->assign(static_cast<size_t>(w) * g.height, 0);
  const auto* px = static_cast<const uint32_t*>(bits);
  // White text: every channel holds the coverage; green is never subpixel-shifted.
  for (size_t i = 0; i < coverage->size(); ++i) (*coverage)[i] = static_cast<uint8_t>((px[i] >> 8) & 0xFF);
  SelectObject(g.dc, old);
  DeleteObject(bitmap);
  *width = w;
  return true;
}
