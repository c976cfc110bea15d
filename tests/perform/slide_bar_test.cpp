#include "perform/slide_bar.h"

#include <gtest/gtest.h>

#include "perform/bar_drawing.h"
#include "perform/play_state.h"
#include "perform/play_fixture.h"
#include "platform/picture.h"
#include "platform/pictures.h"

namespace {

class SlideBarTest : public PlayTest {};

TEST_F(SlideBarTest, BendFollowsTheBarSixtyFourPixelsToTheSemitone) {
  HoverCell(0, 0, 0);  // x 81: the centre of fret 0
  Sent();
  Press(1);
  std::vector<std::string> press = Sent();
  ASSERT_GE(press.size(), 4u);
  EXPECT_EQ(press[press.size() - 4], "e0 00 40") << "8192 at the fret centre";

  const int64_t start = sys().NowMs();
  Mark();
  // Moves between two deliveries arrive as the last of them.
  for (int dx : {3, 20, 64}) sys().MouseMove(Cell(0, 0, 0, dx));
  sys().Wait(20);
  const std::vector<std::string> t = Timed();
  ASSERT_EQ(t.size(), 2u);
  const std::string at = t[0].substr(0, t[0].find(' '));
  EXPECT_EQ(t, (std::vector<std::string>{at + " e0 55 42", at + " e1 55 42"})) << "8533, a semitone up";
  EXPECT_EQ(std::stoll(at) % 20, 0) << "moves are delivered on the 20 ms beat";
  EXPECT_EQ(sys().NowMs(), start + std::stoll(at) + 20) << "then the thread rests 20 ms";
  Hover({49, 123});
  EXPECT_EQ(Sent(), (std::vector<std::string>{"e0 56 3e", "e1 56 3e"})) << "8022 at x 49";
  Hover({49, 250});  // straight down, over string 5
  EXPECT_TRUE(Sent().empty()) << "vertical motion bends nothing";
  EXPECT_EQ(g_PlayString, 0) << "and keeps the string";
  Hover({10, 123});  // the clip keeps the pointer on the neck
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(sys().pointer().GetCursorPos().x, 49);
}

TEST_F(SlideBarTest, BendGoesToEverySoundingStringInStringOrder) {
  HoverCell(0, 1, 3);
  Press(3);  // strings 1, 2, 3: channels 0, 2, 4
  Sent();
  Hover(Cell(0, 1, 3, 3));  // 3 pixels right: 8192 + 16 = 8208
  EXPECT_EQ(Sent(), (std::vector<std::string>{"e0 10 40", "e1 10 40", "e2 10 40", "e3 10 40",
                                              "e4 10 40", "e5 10 40"}));
}

class BarDrawingTest : public PlayTest {
 protected:
  // Pictures of plain colours in the Bitmap folder, and a patterned background.
  void BeforeStartUp() override {
    std::filesystem::create_directory("Bitmap");
    Picture player(1356, 720);
    for (int y = 0; y < player.height(); ++y) {
      for (int x = 0; x < player.width(); ++x) player.At(x, y) = Rgb(x % 256, y % 256, 77);
    }
    ASSERT_TRUE(WriteBmp("Bitmap/Player.bmp", player));
    ASSERT_TRUE(WriteBmp("Bitmap/SlidebarL.bmp", Picture(15, 170, kBody)));
    ASSERT_TRUE(WriteBmp("Bitmap/SlidebarU.bmp", Picture(15, 16, kTip)));
    ASSERT_TRUE(WriteBmp("Bitmap/SlidebarU_Mask.bmp", Picture(15, 16, kMask)));
  }
  void SetUp() override {
    PlayTest::SetUp();
    before_ = screen();
  }
  const Picture& screen() { return sys().view().canvas().picture(); }
  // Compares rows of the neck area with the panel before the bar was drawn.
  void ExpectNecksAsBefore(int top = 100, int bottom = 620) {
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < 1360; ++x) {
        ASSERT_EQ(screen().At(x, y), before_.At(x, y)) << "at " << x << "," << y;
      }
    }
  }

  static constexpr Pixel kBody = Rgb(10, 20, 30);
  static constexpr Pixel kTip = Rgb(0, 255, 255);
  static constexpr Pixel kMask = Rgb(0, 255, 0);
  Picture before_;
};

TEST_F(BarDrawingTest, BarIsDrawnCentredOnThePointerAndItsStripRestored) {
  HoverCell(0, 2, 0);  // x 81: the bar spans 74..88; string 2's tip at y 115 + 48
  const int x = 74, tip_y = 163;
  EXPECT_EQ(screen().At(x, tip_y), (before_.At(x, tip_y) | kMask) & kTip) << "mask OR, tip AND";
  EXPECT_EQ(screen().At(x + 14, tip_y + 15), (before_.At(x + 14, tip_y + 15) | kMask) & kTip);
  EXPECT_EQ(screen().At(x + 14, tip_y + 16), kBody) << "body below the tip";
  EXPECT_EQ(screen().At(x, tip_y + 16 + 121), kBody) << "body reaches past the last string";
  EXPECT_EQ(screen().At(x, tip_y + 16 + 122), before_.At(x, tip_y + 16 + 122));
  EXPECT_EQ(screen().At(x - 1, tip_y), before_.At(x - 1, tip_y));
  EXPECT_EQ(screen().At(x + 15, tip_y), before_.At(x + 15, tip_y));
  EXPECT_EQ(g_bBarShown, 1);

  HoverCell(1, 0, 5);  // to the lower neck: the upper neck is as before
  const int lx = 81 + 320 - 7, ly = 411 + 4;
  EXPECT_EQ(screen().At(lx, ly), (before_.At(lx, ly) | kMask) & kTip);
  ExpectNecksAsBefore(100, 320);

  Hover({700, 40});  // off both necks: erased
  EXPECT_EQ(g_bBarShown, 0);
  ExpectNecksAsBefore();
}

TEST_F(BarDrawingTest, PedalRepaintKeepsTheBarAndOnlyARepaintRedrawsAnUnchangedBar) {
  HoverCell(0, 2, 0);
  const Pixel tip = screen().At(74, 163);
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));  // repaints the neck and its note column
  EXPECT_EQ(screen().At(74, 163), tip);
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 0));
  Hover({700, 40});
  ExpectNecksAsBefore();

  HoverCell(0, 2, 0);
  sys().view().canvas().picture().At(74, 163) = Rgb(1, 2, 3);  // a redraw would cover it again
  DrawBar(false);
  EXPECT_EQ(screen().At(74, 163), Rgb(1, 2, 3));
  DrawBar(true);
  EXPECT_NE(screen().At(74, 163), Rgb(1, 2, 3));
}

TEST_F(PlayTest, ClipAndCaptureStayWhileAnyKeyOrPedalIsDown) {
  HeadlessPointer& pointer = sys().pointer();
  HoverCell(0, 3, 4);
  Press(1);
  EXPECT_TRUE(pointer.captured());
  ASSERT_TRUE(pointer.clipped());
  const Rect clip = pointer.clip();
  EXPECT_EQ((std::vector<int>{clip.left, clip.top, clip.right, clip.bottom}), (std::vector<int>{49, 111, 1329, 303}));
  sys().Button(WM_LBUTTONDOWN, Cell(0, 3, 4));
  Release(1);
  EXPECT_TRUE(pointer.captured()) << "the pedal keeps the neck";
  EXPECT_TRUE(pointer.clipped());
  sys().Button(WM_RBUTTONDOWN, Cell(0, 3, 4));
  sys().Button(WM_LBUTTONUP, Cell(0, 3, 4));
  EXPECT_TRUE(pointer.clipped()) << "the other pedal keeps it";
  Press(2);
  sys().Button(WM_RBUTTONUP, Cell(0, 3, 4));
  EXPECT_TRUE(pointer.clipped()) << "the key keeps it";
  EXPECT_TRUE(pointer.captured());
  Release(2);
  EXPECT_FALSE(pointer.clipped());
  EXPECT_FALSE(pointer.captured());
  EXPECT_EQ(g_Capture, -1);
}

TEST_F(PlayTest, LeavingTheWindowWithoutAMoveMessageTakesTheBarOffTheNeck) {
  HoverCell(0, 0, 0);
  ASSERT_EQ(g_PlayNeck, 0);
  sys().MouseMove({-40, 120});  // outside the window: no message reaches the view
  EXPECT_EQ(g_PlayNeck, -1) << "the idle check noticed it";
  EXPECT_EQ(g_bBarShown, 0);
  EXPECT_EQ(g_CursorClient.x, -40);
}

}  // namespace
