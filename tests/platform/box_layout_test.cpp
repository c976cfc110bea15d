// Message-box layout: lines break where a reader expects, the box grows with
// its text and caption within bounds, the button sits on the strip below.
#include "platform/box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/box_drawing.h"
#include "platform/message_box.h"

namespace {

using Lines = std::vector<std::string>;

// Sides of the box that a user sees: the text's margins and the OK button.
constexpr int kMargin = 20;
constexpr int kIconAndGap = 44;
constexpr int kMaxTextWidth = 480;

class BoxLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(font.valid()); }
  int W(const std::string& s) const { return font.TextWidth(s); }
  BoxLayout Lay(const std::string& text, const std::string& caption = "Slidora Quenlo",
                int type = MB_OK) const {
    return LayOutMessageBox(text, caption, type, font);
  }
  static std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  }
  Font font = OpenMessageBoxFont();
};

TEST_F(BoxLayoutTest, AlreadyStartingBoxIsOneLineAndTheOkButtonSitsBottomRight) {
  const BoxLayout box = Lay("Slidora Quenlo is already starting.");
  EXPECT_EQ(box.lines, Lines{"Slidora Quenlo is already starting."});
  EXPECT_EQ(box.icon, BoxIcon::None);
  EXPECT_EQ(box.text_left, kMargin);
  EXPECT_EQ(box.width, kMargin + W("Slidora Quenlo is already starting.") + kMargin);
  // 88 by 26, 12 from the right edge, in the middle of the 48-pixel strip.
  EXPECT_EQ(box.button.left, box.width - 100);
  EXPECT_EQ(box.button.right, box.width - 12);
  EXPECT_EQ(box.button.top, box.height - 37);
  EXPECT_EQ(box.button.bottom, box.height - 11);
  EXPECT_EQ(box.message_area.bottom, box.height - 48);
  EXPECT_EQ(box.text_top, 24);
  EXPECT_EQ(box.height, 24 + kBoxFontHeight + 24 + 48);
}

TEST_F(BoxLayoutTest, WrapBreaksAtSpacesLineBreaksAndInsideWordsTooWide) {
  struct Case {
    std::string text;
    int max_width;
    Lines lines;
  };
  const int wide = 1000;
  const Case cases[] = {
      {"one two three", W("one two"), {"one two", "three"}},
      {"aaa bbb", W("aaa"), {"aaa", "bbb"}},  // the space at the break goes
      {"a\nb\r\nc\rd", wide, {"a", "b", "c", "d"}},
      {"x\n\ny", wide, {"x", "", "y"}},
      {"", wide, {""}},
      {"Missing     \"01=***\"", wide, {"Missing     \"01=***\""}},  // aligning spaces stay
      {"mmmmmm", W("mm"), {"mm", "mm", "mm"}},
      {"ab mmmmmm", W("mm"), {"ab", "mm", "mm", "mm"}},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
       W("\xC3\xA9\xC3\xA9"),  // whole characters only
       {"\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WrapText(c.text, font, c.max_width, 64), c.lines) << "text: " << c.text;
  }
}

TEST_F(BoxLayoutTest, LongSongErrorWrapsInsideTheBoxAndKeepsEveryWord) {
  const std::string path =
      "/home/player/songs/" + Repeat("very-long-folder-name/", 12) + "EditingSong.txt";
  const std::string text = "Syntax Error in Line 40\nYou wrote \"" +
                           Repeat("Slide to 7 and strum again ", 12) + "\"\nCould not open " + path;
  const BoxLayout box = Lay(text, path, MB_ICONHAND);
  ASSERT_GT(box.lines.size(), 4u);
  EXPECT_EQ(box.lines[0], "Syntax Error in Line 40");
  std::string joined;
  for (const std::string& line : box.lines) {
    EXPECT_LE(LineWidth(line, font, box.tab_width), kMaxTextWidth) << line;
    EXPECT_LE(box.text_left + LineWidth(line, font, box.tab_width), box.width - kMargin) << line;
    joined += line;
  }
  // Nothing is lost: every character but the spaces at breaks and the line breaks.
  std::string expected;
  for (char c : text) {
    if (c != ' ' && c != '\n') expected += c;
  }
  std::string got;
  for (char c : joined) {
    if (c != ' ') got += c;
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(box.text_left, kMargin + kIconAndGap);
  EXPECT_LE(box.width, 640);
}

TEST_F(BoxLayoutTest, BoxGrowsWithItsTextWithinBounds) {
  const BoxLayout one = Lay("x");
  EXPECT_EQ(one.width, 200);  // a short text still gets a box the button fits in comfortably
  int previous_height = 0;
  for (int n : {1, 2, 5, 20}) {
    std::string text = "line";
    for (int i = 1; i < n; ++i) text += "\nline";
    const BoxLayout box = Lay(text);
    EXPECT_EQ(box.lines.size(), static_cast<size_t>(n));
    EXPECT_EQ(box.height, one.height + (n - 1) * box.line_step) << n << " lines";
    EXPECT_GT(box.height, previous_height);
    previous_height = box.height;
  }
  // Wider text, wider box, until lines wrap at the widest text.
  const BoxLayout wider = Lay(Repeat("word ", 20));
  EXPECT_GT(wider.width, one.width);
  const BoxLayout widest = Lay(Repeat("word ", 200));
  EXPECT_GT(widest.lines.size(), 1u);
  EXPECT_LE(widest.width, kMargin + kMaxTextWidth + kMargin);
  // Text beyond the tallest box is cut, and says so.
  const BoxLayout tall = Lay(Repeat("line\n", 200));
  EXPECT_LE(tall.height, 600);
  EXPECT_LT(tall.lines.size(), 200u);
  EXPECT_EQ(tall.lines.back(), "line...");
  EXPECT_LE(tall.text_top + static_cast<int>(tall.lines.size()) * tall.line_step,
            tall.message_area.bottom);
}

TEST_F(BoxLayoutTest, LongCaptionWidensTheBoxUpToItsBound) {
  const std::string text = "Data Error in Line 3";
  EXPECT_EQ(Lay(text, "Slidora Quenlo").width, 200);
  const std::string medium = "/home/player/songs/EditingSong.txt";
  EXPECT_EQ(Lay(text, medium).width, W(medium) + 80);  // room for the title bar's buttons
  EXPECT_EQ(Lay(text, "/home/player/" + Repeat("songs/", 60) + "EditingSong.txt").width, 640);
}

TEST_F(BoxLayoutTest, IconTypesPutAMarkBesideTheText) {
  struct Case {
    int type;
    BoxIcon icon;
  };
  const Case cases[] = {{MB_OK, BoxIcon::None},
                        {MB_ICONHAND | MB_OK, BoxIcon::Error},
                        {MB_ICONEXCLAMATION, BoxIcon::Warning},
                        {MB_ICONINFORMATION, BoxIcon::Information}};
  for (const Case& c : cases) {
    const BoxLayout box = Lay("Device is busy.", "Slidora Quenlo", c.type);
    EXPECT_EQ(box.icon, c.icon) << c.type;
    if (c.icon == BoxIcon::None) {
      EXPECT_EQ(box.icon_rect.right - box.icon_rect.left, 0);
      EXPECT_EQ(box.text_left, kMargin);
      continue;
    }
    EXPECT_EQ(box.icon_rect.left, kMargin);
    EXPECT_EQ(box.icon_rect.top, 24);
    EXPECT_EQ(box.icon_rect.right - box.icon_rect.left, 32);
    EXPECT_EQ(box.text_left, kMargin + kIconAndGap);
    // One line stands level with the middle of the icon.
    EXPECT_EQ(box.text_top, 24 + (32 - kBoxFontHeight) / 2);
    EXPECT_EQ(box.height, 24 + 32 + 24 + 48);
  }
}

TEST_F(BoxLayoutTest, TabsGoToTabStops) {
  const int tab = 8 * W("x");
  EXPECT_EQ(Lay("a").tab_width, tab);
  EXPECT_EQ(LineWidth("ab\tc", font, tab), tab + W("c"));
  EXPECT_EQ(LineWidth("ab\t\tc", font, tab), 2 * tab + W("c"));
  EXPECT_EQ(LineWidth("abc", font, tab), W("abc"));
}

}  // namespace
