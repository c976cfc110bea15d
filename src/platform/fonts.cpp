#include "platform/fonts.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstring>

namespace {

// The panel's fixed-pitch face. Where it is not installed we take our own
// fixed-pitch stand-in with the same cell proportions, then any monospace face.
constexpr const char* kFixedFace = "BatangChe";
constexpr const char* kFixedStandIns[] = {"Liberation Mono", "monospace"};

// Point size the fonts are opened with; the resolution is then searched so the
// cell comes out at the wanted pixel height.
constexpr int kSearchPointSize = 64;
constexpr unsigned kMinDpi = 4;
constexpr unsigned kMaxDpi = 200;

bool EnsureTtf() {
  static bool ok = TTF_WasInit() || TTF_Init() == 0;
  return ok;
}

TTF_Font* Handle(void* p) { return static_cast<TTF_Font*>(p); }

// Matches one family; when exact is set, only a face of that very family counts.
std::string MatchFamily(const char* family, int weight, bool exact) {
  if (!FcInit()) return {};
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pat, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  std::string file;
  if (match) {
    FcChar8* name = nullptr;
    FcChar8* got = nullptr;
    bool same = FcPatternGetString(match, FC_FAMILY, 0, &got) == FcResultMatch &&
                strcasecmp(reinterpret_cast<const char*>(got), family) == 0;
    if ((!exact || same) && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) {
      file = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return file;
}

}  // namespace

std::string FindFontFile(const char* face, int weight) {
  if (strcasecmp(face, kFixedFace) == 0) {
    std::string file = MatchFamily(face, weight, true);
    for (const char* alt : kFixedStandIns) {
      if (!file.empty()) break;
      file = MatchFamily(alt, weight, std::strcmp(alt, "monospace") != 0);
    }
    return file;
  }
  return MatchFamily(face, weight, false);
}

Font::~Font() {
  if (m_Font) TTF_CloseFont(Handle(m_Font));
}

Font::Font(Font&& other) noexcept : m_Font(other.m_Font), m_File(std::move(other.m_File)) {
  other.m_Font = nullptr;
}

Font& Font::operator=(Font&& other) noexcept {
  if (this != &other) {
    if (m_Font) TTF_CloseFont(Handle(m_Font));
    m_Font = other.m_Font;
    m_File = std::move(other.m_File);
    other.m_Font = nullptr;
  }
  return *this;
}

Font Font::Open(const char* face, int height, int weight) {
  Font f;
  if (!EnsureTtf() || height <= 0) return f;
  std::string file = FindFontFile(face, weight);
  if (file.empty()) return f;
  TTF_Font* ttf = TTF_OpenFontDPI(file.c_str(), kSearchPointSize, kMinDpi, kMinDpi);
  if (!ttf) return f;
  // The cell height grows with the resolution: take the largest resolution whose
  // cell is still the wanted height, so the letters are as large as the cell allows.
  unsigned lo = kMinDpi, hi = kMaxDpi;
  while (lo < hi) {
    unsigned mid = (lo + hi + 1) / 2;
    TTF_SetFontSizeDPI(ttf, kSearchPointSize, mid, mid);
    if (TTF_FontHeight(ttf) <= height) lo = mid; else hi = mid - 1;
  }
  TTF_SetFontSizeDPI(ttf, kSearchPointSize, lo, lo);
  // Text output places glyphs by their advances alone, without kerning pairs.
  TTF_SetFontKerning(ttf, 0);
  f.m_Font = ttf;
  f.m_File = file;
  return f;
}

int Font::height() const { return m_Font ? TTF_FontHeight(Handle(m_Font)) : 0; }

int Font::TextWidth(const std::string& text) const {
  if (!m_Font || text.empty()) return 0;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(Handle(m_Font), text.c_str(), &w, &h) != 0) return 0;
  return w;
}

bool Font::Render(const std::string& text, std::vector<uint8_t>* coverage, int* width) const {
  if (!m_Font || text.empty()) return false;
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* s = TTF_RenderUTF8_Blended(Handle(m_Font), text.c_str(), white);
  if (!s) return false;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return false;
  const int w = argb->w;
  const int h = height();
  coverage->assign(static_cast<size_t>(w) * h, 0);
  SDL_LockSurface(argb);
  for (int y = 0; y < h && y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                        static_cast<size_t>(y) * argb->pitch);
    for (int x = 0; x < w; ++x) (*coverage)[static_cast<size_t>(y) * w + x] = row[x] >> 24;
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  *width = w;
  return true;
}
