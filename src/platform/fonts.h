// Text faces of the panel. fontconfig finds the file of a face by name and
// weight; SDL2_ttf opens it so that its cell height is exactly the height asked
// for. Needs no display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Font {
 public:
  Font() = default;
  ~Font();
  Font(Font&& other) noexcept;
  Font& operator=(Font&& other) noexcept;
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Opens face (a family name such as "Arial") at a cell height in pixels and an
  // OpenType weight (500 medium, 700 bold). An empty Font when no face is found.
  static Font Open(const char* face, int height, int weight);

  bool valid() const { return m_Font != nullptr; }
  int height() const;  // cell height in pixels
  int TextWidth(const std::string& text) const;
  // The file fontconfig chose, for diagnostics.
  const std::string& file() const { return m_File; }

  // Renders text as coverage values 0..255, row by row, width x height() large;
  // width is TextWidth(text). False for an empty text or an invalid font.
  bool Render(const std::string& text, std::vector<uint8_t>* coverage, int* width) const;

 private:
  void* m_Font = nullptr;  // TTF_Font
  std::string m_File;
};

// The file fontconfig resolves a face to: "Arial" gives a metric-compatible
// sans face, "BatangChe" a fixed-pitch one. Empty when nothing is found.
std::string FindFontFile(const char* face, int weight);
