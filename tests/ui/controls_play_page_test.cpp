// The fields of the playing page: volumes, guide and MIDI shifts within their
// ranges, and the tuning-set buttons.
#include <gtest/gtest.h>

#include "midi/channels.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "ui/controls_fixture.h"

namespace {

TEST_F(ControlsTest, VolumeAndMidiShiftAreStoredAndTheNextKeySendsThem) {
  PlayKey(0);  // the upper neck's voices are on the channels now
  const std::vector<std::string> before = StartingWith(Sent(), "9");
  ASSERT_FALSE(before.empty());
  g_Neck[0].Volume0 = 10;
  Drawn();

  RightClick(Region(UpperVolume0));
  EXPECT_EQ(g_Neck[0].Volume0, 9);
  const DrawnText* shown = At(Drawn(), 917, 330);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, "   9 ");
  Click(Region(UpperMidiShift));
  Click(Region(UpperMidiShift));
  EXPECT_EQ(g_SoundNeck, -1);
  EXPECT_TRUE(Sent().empty()) << "a volume or a shift is only stored";

  PlayKey(0);
  const std::vector<std::string> sent = Sent();
  EXPECT_EQ(StartingWith(sent, "b0 07"), std::vector<std::string>({"b0 07 72"}));  // 9 * 127 / 10 = 114
  const std::vector<std::string> after = StartingWith(sent, "9");
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(std::stoi(after[0].substr(3, 2), nullptr, 16), std::stoi(before[0].substr(3, 2), nullptr, 16) + 2);
}

TEST_F(ControlsTest, FieldsStepByOneAndStopAtTheirBoundsDrawingNothingThere) {
  const struct Case {
    int region;
    int32_t NeckInfo::*field;
    int low, high;
  } cases[] = {
      {UpperVolume0, &NeckInfo::Volume0, 0, 10},      {UpperVolume1, &NeckInfo::Volume1, 0, 10},
      {UpperGuideShift, &NeckInfo::GuideShift, -8, 7}, {UpperMidiShift, &NeckInfo::MidiShift, -12, 12},
      {LowerVolume0, &NeckInfo::Volume0, 0, 10},      {LowerVolume1, &NeckInfo::Volume1, 0, 10},
      {LowerGuideShift, &NeckInfo::GuideShift, -8, 7}, {LowerMidiShift, &NeckInfo::MidiShift, -12, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.region);
    const int n = c.region < LowerNeck ? 0 : 1;
    int32_t& value = g_Neck[n].*c.field;
    value = c.high - 1;
    Click(Region(c.region));
    EXPECT_EQ(value, c.high);
    Drawn();
    Click(Region(c.region));
    EXPECT_EQ(value, c.high);
    EXPECT_TRUE(Drawn().empty()) << "a step beyond the range redraws nothing";
    RightClick(Region(c.region));
    EXPECT_EQ(value, c.high - 1);
    value = c.low + 1;
    RightClick(Region(c.region));
    EXPECT_EQ(value, c.low);
    if (c.field == &NeckInfo::GuideShift) {
      const DrawnText* off = At(Drawn(), 1032, 340 + 300 * n);
      ASSERT_NE(off, nullptr);
      EXPECT_EQ(off->text, "Off");
      for (const auto& row : g_Neck[n].Guide) {
        for (int32_t degree : row) EXPECT_EQ(degree, 0) << "the guide is off";
      }
    }
    Drawn();
    RightClick(Region(c.region));
    EXPECT_EQ(value, c.low);
    EXPECT_TRUE(Drawn().empty());
    Click(Region(c.region));
    EXPECT_EQ(value, c.low + 1);
    EXPECT_TRUE(Sent().empty());
  }
}

TEST_F(ControlsTest, TuningButtonSelectsTheSetRedrawsBothNamesAndReallocatesTheNeck) {
  ASSERT_EQ(g_Neck[1].Tuning, 4);
  Drawn();
  RightClick(Region(LowerTuningSet + 2));
  EXPECT_EQ(g_Neck[1].Tuning, 4) << "the right button leaves the sets alone";

  Click(Region(LowerTuningSet + 2));
  EXPECT_EQ(g_Neck[1].Tuning, 2);
  const std::vector<DrawnText> drawn = Drawn();
  const DrawnText* chosen = At(drawn, 113 + 60 * 2, 640);
  const DrawnText* old = At(drawn, 113 + 60 * 4, 640);
  ASSERT_TRUE(chosen && old);
  EXPECT_EQ(chosen->text, "C13");
  EXPECT_EQ(chosen->color, kOrange);
  EXPECT_EQ(old->color, kGrey);
  // Both names look as after a whole repaint: no orange edge of the old one stays.
  const Picture selected = dc().picture();
  view().OnDraw(dc());
  EXPECT_TRUE(IsEmpty(Intersect(ChangedSince(selected), g_Region[LowerTuningSet + 4])));
  const std::vector<int32_t> channels = Channels(1);
  AllocateChannels(1);
  EXPECT_EQ(Channels(1), channels);
  EXPECT_TRUE(Sent().empty());

  // Choosing the current set again draws nothing.
  Drawn();
  view().SelectTuningSet(dc(), 1, 2);
  EXPECT_TRUE(Drawn().empty());
}

}  // namespace
