// A drawn message box: the text written where the layout put it, the OK button
// on the grey strip, the icon marks in their colours, nothing outside the box.
#include "platform/box_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace {

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kStrip = Rgb(240, 240, 240);
constexpr Pixel kBlack = Rgb(0, 0, 0);

struct Drawn {
  BoxLayout box;
  Canvas canvas;
};

class BoxDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(font.valid()); }
  Drawn Draw(const std::string& text, int type = MB_OK, bool pressed = false) {
    Drawn d{LayOutMessageBox(text, "Slidora Quenlo", type, font), Canvas(1, 1)};
    d.canvas = Canvas(d.box.width, d.box.height);
    d.canvas.RecordTexts(true);
    DrawMessageBox(d.canvas, d.box, font, pressed);
    return d;
  }
  Font font = OpenMessageBoxFont();
};

TEST_F(BoxDrawingTest, AlreadyStartingBoxWritesItsTextAndAnOkButton) {
  Drawn d = Draw("Slidora Quenlo is already starting.");
  const std::vector<DrawnText>& texts = d.canvas.texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Slidora Quenlo is already starting.");
  EXPECT_EQ(texts[0].x, 20);
  EXPECT_EQ(texts[0].y, 24);
  EXPECT_EQ(texts[0].color, kBlack);
  EXPECT_FALSE(texts[0].opaque);
  EXPECT_EQ(texts[1].text, "OK");
  const Rect& b = d.box.button;
  EXPECT_EQ(texts[1].x, b.left + (b.right - b.left - font.TextWidth("OK")) / 2);
  EXPECT_EQ(texts[1].y, b.top + (b.bottom - b.top - font.height()) / 2);

  // White message area, grey strip, the button's blue edge and grey face.
  EXPECT_EQ(d.canvas.At(1, 1), kWhite);
  EXPECT_EQ(d.canvas.At(d.box.width - 1, d.box.message_area.bottom - 1), kWhite);
  EXPECT_EQ(d.canvas.At(1, d.box.message_area.bottom), kStrip);
  EXPECT_EQ(d.canvas.At(d.box.width - 1, d.box.height - 1), kStrip);
  EXPECT_EQ(d.canvas.At(b.left, b.top), Rgb(0, 120, 215));
  EXPECT_EQ(d.canvas.At(b.right - 1, b.bottom - 1), Rgb(0, 120, 215));
  EXPECT_EQ(d.canvas.At(b.left + 3, b.top + 3), Rgb(225, 225, 225));
  EXPECT_EQ(d.canvas.At(b.left - 1, b.top), kStrip);

  // The letters really are there: dark pixels inside the text's cell, none
  // right of it.
  const int text_right = 20 + font.TextWidth(texts[0].text);
  int dark = 0, stray = 0;
  for (int y = 24; y < 24 + font.height(); ++y) {
    for (int x = 0; x < d.box.width; ++x) {
      const bool is_dark = (d.canvas.At(x, y) & 0xFF) < 128;
      if (x < text_right)
        dark += is_dark;
      else
        stray += is_dark;
    }
  }
  EXPECT_GT(dark, 100);
  EXPECT_EQ(stray, 0);
}

TEST_F(BoxDrawingTest, PressedButtonIsDrawnPushedIn) {
  Drawn d = Draw("Slidora Quenlo is already starting.", MB_OK, true);
  const Rect& b = d.box.button;
  EXPECT_EQ(d.canvas.At(b.left, b.top), Rgb(0, 84, 153));
  EXPECT_EQ(d.canvas.At(b.left + 3, b.top + 3), Rgb(204, 228, 247));
}

TEST_F(BoxDrawingTest, LongMultiLineTextIsWrittenLineByLineInsideTheBox) {
  std::string text = "Syntax Error in Line 12\nYou wrote \"";
  for (int i = 0; i < 15; ++i) text += "bar 7 strum 3 pedal 1 ";
  text += "\"";
  Drawn d = Draw(text, MB_ICONHAND);
  const std::vector<DrawnText>& texts = d.canvas.texts();
  ASSERT_EQ(texts.size(), d.box.lines.size() + 1);  // every line, then "OK"
  EXPECT_GT(d.box.lines.size(), 3u);
  EXPECT_EQ(texts[0].text, "Syntax Error in Line 12");
  for (size_t i = 0; i + 1 < texts.size(); ++i) {
    const DrawnText& t = texts[i];
    EXPECT_EQ(t.text, d.box.lines[i]);
    EXPECT_EQ(t.x, 64);  // beside the icon
    EXPECT_EQ(t.y, 24 + static_cast<int>(i) * (font.height() + 2));
    EXPECT_LE(t.x + font.TextWidth(t.text), d.box.width - 20) << t.text;
    EXPECT_LE(t.y + font.height(), d.box.message_area.bottom - 24);
  }
}

TEST_F(BoxDrawingTest, TabbedTextIsWrittenInPiecesAtTheTabStops) {
  Drawn d = Draw("Missing \"01=***\" / Tempo\t\t( 30 .. 180)");
  const std::vector<DrawnText>& texts = d.canvas.texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "Missing \"01=***\" / Tempo");
  EXPECT_EQ(texts[1].text, "( 30 .. 180)");
  const int tab = d.box.tab_width;
  const int first_stop = (font.TextWidth(texts[0].text) / tab + 1) * tab;
  EXPECT_EQ(texts[1].x, 20 + first_stop + tab);
}

TEST_F(BoxDrawingTest, EachIconTypeHasItsMark) {
  struct Case {
    int type;
    int x, y;  // a point of the icon square, in its 32 pixels
    Pixel colour;
  };
  const Pixel red = Rgb(232, 17, 35), yellow = Rgb(255, 200, 0), blue = Rgb(0, 120, 215);
  const Case cases[] = {
      {MB_ICONHAND, 16, 3, red},
      {MB_ICONHAND, 16, 16, kWhite},  // the cross's middle
      {MB_ICONHAND, 0, 0, kWhite},    // outside the disc
      {MB_ICONEXCLAMATION, 8, 27, yellow},
      {MB_ICONEXCLAMATION, 15, 15, kBlack},  // the stroke of "!"
      {MB_ICONINFORMATION, 16, 3, blue},
      {MB_ICONINFORMATION, 15, 20, kWhite},  // the stem of "i"
      {MB_OK, 16, 16, kWhite},
  };
  for (const Case& c : cases) {
    Drawn d = Draw("Device is busy.", c.type);
    EXPECT_EQ(d.canvas.At(20 + c.x, 24 + c.y), c.colour)
        << "type " << c.type << " at " << c.x << "," << c.y;
  }
}

}  // namespace
