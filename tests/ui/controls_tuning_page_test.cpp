// The tuning editor: note names stepping through the 21 names with a preview
// of the new pitch, pedal offsets within -1..1 and at most six pedal strings,
// the name boxes, and what leaving the page applies.
#include <gtest/gtest.h>

#include "midi/channels.h"
#include "model/tunings.h"
#include "perform/pedals.h"
#include "ui/controls_fixture.h"

namespace {

const std::vector<std::string> kAllNotesOff = {"b0 7b 00", "b1 7b 00", "b2 7b 00", "b3 7b 00", "b4 7b 00",
                                               "b5 7b 00", "b6 7b 00", "b7 7b 00", "b8 7b 00", "ba 7b 00",
                                               "bb 7b 00", "bc 7b 00", "bd 7b 00", "be 7b 00", "bf 7b 00"};

class TuningPageTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Click(Tab(1));
    ASSERT_EQ(g_Page, 1);
    EXPECT_EQ(Sent(), kAllNotesOff);
    Drawn();
  }
};

TEST_F(TuningPageTest, BSharpStepsUpToCFlatAndBackWithPreviewNotes) {
  g_Tuning[0].NoteName[0][0] = "B#";
  BuildPedalNoteNames();
  BuildStringNotes();

  LeftDown(NoteBox(0, 0));
  EXPECT_EQ(g_Tuning[0].NoteName[0][0], "Cb");
  EXPECT_EQ(g_Tuning[0].Note[0][0], 59);
  const DrawnText* cell = At(Drawn(), 40, 205);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text, " Cb ");
  EXPECT_EQ(Sent(), std::vector<std::string>({"90 3b 7f"}));
  LeftUp(NoteBox(0, 0));
  EXPECT_EQ(Sent(), std::vector<std::string>({"80 3b 7f"}));

  RightDown(NoteBox(0, 0));
  EXPECT_EQ(g_Tuning[0].NoteName[0][0], "B#");
  EXPECT_EQ(Sent(), std::vector<std::string>({"90 48 7f"}));
  RightUp(NoteBox(0, 0));
  EXPECT_EQ(Sent(), std::vector<std::string>({"80 48 7f"}));
  EXPECT_EQ(g_PreviewNote, -1);

  // A second button's preview ends the first one's, so no note is left sounding.
  LeftDown(NoteBox(0, 0));
  EXPECT_EQ(Sent(), std::vector<std::string>({"90 3b 7f"}));
  RightDown(NoteBox(0, 1));
  EXPECT_EQ(Sent(), std::vector<std::string>({"80 3b 7f", "90 33 7f"}));
  RightUp(NoteBox(0, 1));
  LeftUp(NoteBox(0, 0));
  EXPECT_EQ(Sent(), std::vector<std::string>({"80 33 7f"}));
}

TEST_F(TuningPageTest, NoteNamesWrapAndUnknownNamesCountAsPastTheEnd) {
  const struct { const char* from; int delta; const char* to; } cases[] = {
      {"C", +1, "C#"}, {"C", -1, "Cb"}, {"Cb", -1, "B#"}, {"B", +1, "B#"},
      {"c", +1, "Cb"}, {"H", -1, "B#"}, {"G#", +1, "Ab"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + (c.delta > 0 ? " up" : " down"));
    g_Tuning[3].NoteName[0][5] = c.from;
    c.delta > 0 ? Click(NoteBox(3, 5)) : RightClick(NoteBox(3, 5));
    EXPECT_EQ(g_Tuning[3].NoteName[0][5], c.to);
    EXPECT_EQ(g_PreviewNote, -1);
  }
}

TEST_F(TuningPageTest, PedalOffsetsStayWithinOneSemitoneOnAtMostSixStrings) {
  TuningInfo& t = g_Tuning[2];
  for (int s = 0; s < kStringCount; ++s) t.Pedal[0][s] = t.Pedal[1][s] = 0;
  Click(PedalBox(2, 4, 1));
  EXPECT_EQ(t.Pedal[1][4], 1);
  const DrawnText* mark = At(Drawn(), 40 + 280 + 95, 205 + 26 * 4);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->text, "#");
  Click(PedalBox(2, 4, 1));
  EXPECT_EQ(t.Pedal[1][4], 1);
  EXPECT_EQ(At(Drawn(), 40 + 280 + 95, 205 + 26 * 4), nullptr);
  for (int i = 0; i < 3; ++i) RightClick(PedalBox(2, 4, 1));
  EXPECT_EQ(t.Pedal[1][4], -1);
  EXPECT_EQ(t.Note[2][4], t.Note[0][4] - 1);
  EXPECT_TRUE(Sent().empty()) << "pedal marks sound no preview";

  // Six strings with a pedal: a seventh is refused.
  for (int s = 0; s < 6; ++s) t.Pedal[s % 2][s] = 1;
  ASSERT_EQ(CountPedalStrings(2, 3), 6);
  Drawn();
  Click(PedalBox(2, 6, 0));
  RightClick(PedalBox(2, 7, 1));
  EXPECT_EQ(t.Pedal[0][6], 0);
  EXPECT_EQ(t.Pedal[1][7], 0);
  EXPECT_EQ(At(Drawn(), 40 + 280 + 70, 205 + 26 * 6), nullptr);

  // A string that already has a pedal may take the other one.
  Click(PedalBox(2, 0, 1));
  EXPECT_EQ(t.Pedal[1][0], 1);
  // Freeing a string makes room for another.
  RightClick(PedalBox(2, 1, 1));
  EXPECT_EQ(t.Pedal[1][1], 0);
  Click(PedalBox(2, 6, 0));
  EXPECT_EQ(t.Pedal[0][6], 1);
}

TEST_F(TuningPageTest, NameBoxesShowTheNamesTakeTypingAndAnEmptyNameBecomesAQuestionMark) {
  for (int t = 0; t < kTuningCount; ++t) {
    EXPECT_TRUE(view().m_TuningNameEdit[t].visible());
    EXPECT_EQ(view().m_TuningNameEdit[t].GetWindowText(), g_Tuning[t].Name);
  }
  Click(NameBox(0));
  sys().Type("\b\b\b\b\b");
  Click(NameBox(1));
  sys().Type("\b\b\b\b\bPedal6");  // a sixth character is refused
  EXPECT_EQ(view().m_TuningNameEdit[1].GetWindowText(), "Pedal");
  EXPECT_TRUE(Sent().empty()) << "typing plays nothing";

  Click(Tab(0));
  EXPECT_EQ(g_Tuning[0].Name, "?");
  EXPECT_EQ(g_Tuning[1].Name, "Pedal");
  for (const TuningNameEdit& box : view().m_TuningNameEdit) EXPECT_FALSE(box.visible());
}

TEST_F(TuningPageTest, LeavingThroughThePlayTabRebuildsGuidesAndChannelsAndReloadsTheVoices) {
  Click(Tab(0));
  PlayKey(0);
  Click(Tab(1));
  Sent();

  // String 0 of the upper neck's tuning gets a pedal of its own.
  const int t = g_Neck[0].Tuning;
  const std::vector<int32_t> before = Channels(0);
  Click(PedalBox(t, 0, 0));
  ASSERT_EQ(g_Tuning[t].Pedal[0][0], 1);
  EXPECT_EQ(Channels(0), before) << "the channels follow only when the page is left";
  g_Neck[0].Guide[0][0] = 99;

  Click(Tab(0));
  EXPECT_EQ(g_Page, 0);
  EXPECT_EQ(g_SoundNeck, -1);
  EXPECT_NE(g_Neck[0].Guide[0][0], 99);
  const std::vector<int32_t> now = Channels(0);
  AllocateChannels(0);
  EXPECT_EQ(Channels(0), now);
  EXPECT_NE(now, before);
  EXPECT_EQ(Sent(), kAllNotesOff);

  PlayKey(0);
  const std::vector<std::string> sent = Sent();
  EXPECT_EQ(StartingWith(sent, "b0 00").size(), 1u) << "the voices are set up again";
  EXPECT_EQ(StartingWith(sent, "c0").size(), 1u);
}

TEST_F(TuningPageTest, TheMidiTabAppliesNamesAndChannelsAndThePlayTabThenTheGuide) {
  Click(NameBox(2));
  sys().Type("\bX");
  g_Tuning[0].Pedal[0][0] = 1;
  g_Neck[0].Guide[0][0] = 99;
  Click(Tab(2));
  EXPECT_EQ(g_Page, 2);
  EXPECT_EQ(g_Tuning[2].Name, "C1X");
  EXPECT_EQ(g_Neck[0].Guide[0][0], 99);
  const std::vector<int32_t> now = Channels(0);
  AllocateChannels(0);
  EXPECT_EQ(Channels(0), now);
  Click(Tab(0));
  EXPECT_NE(g_Neck[0].Guide[0][0], 99) << "the playing page shows the edited tuning's guide";
}

TEST_F(TuningPageTest, ThePointerIsTheArrowOverTheEditor) {
  sys().pointer().SetCursorShape(CursorShape::Cross);
  sys().MouseMove({700, 500});
  EXPECT_EQ(sys().pointer().shape(), CursorShape::Arrow);
}

}  // namespace
