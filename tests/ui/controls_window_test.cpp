// The buttons of every page: page tabs, window drag, minimise and close.
#include <gtest/gtest.h>

#include "perform/play_state.h"
#include "ui/controls_fixture.h"

namespace {

TEST_F(ControlsTest, EveryTabSilencesTheChannelsAndShowsItsPage) {
  for (int page : {1, 1, 2, 2, 0, 2, 1, 0}) {
    SCOPED_TRACE(page);
    Click(Tab(page));
    EXPECT_EQ(g_Page, page);
    const std::vector<std::string> sent = Sent();
    EXPECT_EQ(sent.size(), 15u);
    EXPECT_EQ(StartingWith(sent, "b0 7b 00").size(), 1u);
    for (const TuningNameEdit& box : view().m_TuningNameEdit) EXPECT_EQ(box.visible(), page == 1);
  }
}

TEST_F(ControlsTest, TheDragButtonMovesTheWindowWithThePointer) {
  const Rect before = sys().pointer().WindowRect();
  LeftDown(kMoveButton);
  EXPECT_EQ(g_Capture, MoveButton);
  EXPECT_EQ(sys().pointer().shape(), CursorShape::SizeAll);
  EXPECT_TRUE(sys().pointer().captured());

  sys().MouseMove({kMoveButton.x + 100, kMoveButton.y + 40});
  sys().Wait(20);
  Rect now = sys().pointer().WindowRect();
  EXPECT_EQ(now.left, before.left + 100);
  EXPECT_EQ(now.top, before.top + 40);
  EXPECT_EQ(now.right - now.left, before.right - before.left);

  // The window follows, so the pointer is back over the button in client terms.
  sys().MouseMove({kMoveButton.x - 30, kMoveButton.y});
  sys().Wait(20);
  now = sys().pointer().WindowRect();
  EXPECT_EQ(now.left, before.left + 70);
  EXPECT_EQ(now.top, before.top + 40);

  LeftUp({kMoveButton.x, kMoveButton.y});
  EXPECT_EQ(g_Capture, -1);
  EXPECT_FALSE(sys().pointer().captured());
  sys().MouseMove({kMoveButton.x + 200, kMoveButton.y});
  sys().Wait(20);
  EXPECT_EQ(sys().pointer().WindowRect().left, before.left + 70) << "the drag has ended";
}

TEST_F(ControlsTest, MinimiseAsksTheWindowToMinimise) {
  Click(kMinimizeButton);
  EXPECT_TRUE(sys().minimized());
  EXPECT_FALSE(sys().closed());
}

TEST_F(ControlsTest, CloseSavesTheSettingsAndEndsInput) {
  g_Neck[1].Volume1 = 2;
  Click(Tab(1));
  Click(NameBox(4));
  sys().Type("x");
  Click(kCloseButton);
  ASSERT_TRUE(sys().closed());
  const std::string ini = dir().Read("SLD.ini");
  EXPECT_NE(ini.find("(4)Name=E7x"), std::string::npos) << "the open editor's names are taken";
  EXPECT_NE(ini.find("LowerVolume1=2"), std::string::npos);
  Sent();
  PlayKey(0);
  EXPECT_TRUE(Sent().empty());
}

}  // namespace
