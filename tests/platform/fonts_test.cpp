// The panel's twelve fonts open at exactly their cell heights; the fixed-pitch
// face really is fixed-pitch.
#include "platform/fonts.h"

#include <gtest/gtest.h>

namespace {

struct FontCase {
  const char* face;
  int height;
  int weight;
};

const FontCase kPanelFonts[] = {
    {"Arial", 15, 700},     {"Arial", 16, 700},     {"Arial", 17, 500},     {"Arial", 17, 700},
    {"Arial", 18, 700},     {"Arial", 32, 700},     {"BatangChe", 14, 500}, {"BatangChe", 14, 700},
    {"BatangChe", 15, 700}, {"BatangChe", 16, 700}, {"BatangChe", 18, 700}, {"BatangChe", 20, 700},
};

TEST(Fonts, EveryPanelFontHasItsExactCellHeight) {
  for (const FontCase& c : kPanelFonts) {
    Font f = Font::Open(c.face, c.height, c.weight);
    ASSERT_TRUE(f.valid()) << c.face << " " << c.height;
    EXPECT_EQ(f.height(), c.height) << c.face << " " << c.height << " weight " << c.weight << " "
                                    << f.file();
  }
}

TEST(Fonts, BatangIsFixedPitchAndBoldDiffersFromMedium) {
  Font f = Font::Open("BatangChe", 18, 700);
  ASSERT_TRUE(f.valid());
  EXPECT_EQ(f.TextWidth("iiiii"), f.TextWidth("MMMMM"));
  EXPECT_EQ(f.TextWidth("  0 "), f.TextWidth(" 10 "));
  EXPECT_NE(FindFontFile("BatangChe", 700), FindFontFile("BatangChe", 500));
  EXPECT_NE(FindFontFile("Arial", 700), FindFontFile("Arial", 500));
}

TEST(Fonts, RenderGivesCoverageOfTheTextCell) {
  Font f = Font::Open("Arial", 18, 700);
  std::vector<uint8_t> cov;
  int w = 0;
  ASSERT_TRUE(f.Render("C6", &cov, &w));
  EXPECT_EQ(w, f.TextWidth("C6"));
  EXPECT_EQ(cov.size(), static_cast<size_t>(w) * 18);
  int full = 0;
  for (uint8_t c : cov) full += c == 255;
  EXPECT_GT(full, 10);
  EXPECT_FALSE(f.Render("", &cov, &w));
}

}  // namespace
