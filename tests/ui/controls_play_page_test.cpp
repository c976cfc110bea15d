// The fields of the playing page: volumes, guide and MIDI shifts within their
// ranges, tuning-set buttons and the voice fields that open the voice list.
#include <gtest/gtest.h>

#include "midi/channels.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "ui/controls_fixture.h"

namespace {

TEST_F(ControlsTest, VolumeAtTenStaysThenRightClickMakesNineAndTheNextKeySendsIt) {
  PlayKey(0);  // the upper neck's voices are on the channels now
  g_Neck[0].Volume0 = 10;
  Sent();
  Drawn();

  Click(Region(UpperVolume0));
  EXPECT_EQ(g_Neck[0].Volume0, 10);
  EXPECT_EQ(At(Drawn(), 918, 330), nullptr) << "a step beyond the range redraws nothing";

  RightClick(Region(UpperVolume0));
  EXPECT_EQ(g_Neck[0].Volume0, 9);
  const DrawnText* shown = At(Drawn(), 917, 330);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, "   9 ");
  EXPECT_EQ(g_SoundNeck, -1);
  EXPECT_TRUE(Sent().empty()) << "a volume is only stored";

  PlayKey(0);
  const std::vector<std::string> sent = Sent();
  EXPECT_EQ(StartingWith(sent, "b0 07"), std::vector<std::string>({"b0 07 72"}));  // 9 * 127 / 10 = 114
}

struct FieldCase {
  const char* name;
  int region;
  int32_t NeckInfo::*field;
  int low, high;
};

TEST_F(ControlsTest, FieldsStepByOneAndStopAtTheirBounds) {
  const FieldCase cases[] = {
      {"upper volume 0", UpperVolume0, &NeckInfo::Volume0, 0, 10},
      {"upper volume 1", UpperVolume1, &NeckInfo::Volume1, 0, 10},
      {"upper guide shift", UpperGuideShift, &NeckInfo::GuideShift, -8, 7},
      {"upper MIDI shift", UpperMidiShift, &NeckInfo::MidiShift, -12, 12},
      {"lower volume 0", LowerVolume0, &NeckInfo::Volume0, 0, 10},
      {"lower volume 1", LowerVolume1, &NeckInfo::Volume1, 0, 10},
      {"lower guide shift", LowerGuideShift, &NeckInfo::GuideShift, -8, 7},
      {"lower MIDI shift", LowerMidiShift, &NeckInfo::MidiShift, -12, 12},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t& value = g_Neck[c.region < LowerNeck ? 0 : 1].*c.field;
    value = c.high;
    Click(Region(c.region));
    EXPECT_EQ(value, c.high);
    RightClick(Region(c.region));
    EXPECT_EQ(value, c.high - 1);
    value = c.low;
    RightClick(Region(c.region));
    EXPECT_EQ(value, c.low);
    Click(Region(c.region));
    EXPECT_EQ(value, c.low + 1);
    EXPECT_TRUE(Sent().empty());
  }
}

TEST_F(ControlsTest, GuideShiftDownToOffAndNoFurther) {
  g_Neck[0].GuideShift = -7;
  BuildGuide(0);
  Drawn();
  RightClick(Region(UpperGuideShift));
  EXPECT_EQ(g_Neck[0].GuideShift, -8);
  const DrawnText* shown = At(Drawn(), 1032, 340);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, "Off");
  for (const auto& row : g_Neck[0].Guide) {
    for (int32_t degree : row) EXPECT_EQ(degree, 0) << "the guide is off";
  }
  RightClick(Region(UpperGuideShift));
  EXPECT_EQ(g_Neck[0].GuideShift, -8);
  EXPECT_EQ(At(Drawn(), 1032, 340), nullptr);
}

TEST_F(ControlsTest, MidiShiftTakesEffectWithTheNextNote) {
  PlayKey(0);
  const std::vector<std::string> before = StartingWith(Sent(), "9");
  ASSERT_FALSE(before.empty());
  Click(Region(UpperMidiShift));
  Click(Region(UpperMidiShift));
  EXPECT_EQ(g_Neck[0].MidiShift, 2);
  PlayKey(0);
  const std::vector<std::string> after = StartingWith(Sent(), "9");
  ASSERT_EQ(after.size(), before.size());
  const int note_before = std::stoi(before[0].substr(3, 2), nullptr, 16);
  const int note_after = std::stoi(after[0].substr(3, 2), nullptr, 16);
  EXPECT_EQ(note_after, note_before + 2);
}

TEST_F(ControlsTest, TuningButtonSelectsTheSetAndReallocatesTheNeck) {
  ASSERT_EQ(g_Neck[1].Tuning, 4);
  Drawn();
  RightClick(Region(LowerTuningSet + 2));
  EXPECT_EQ(g_Neck[1].Tuning, 4) << "the right button leaves the sets alone";

  Click(Region(LowerTuningSet + 2));
  EXPECT_EQ(g_Neck[1].Tuning, 2);
  const std::vector<DrawnText> drawn = Drawn();
  const DrawnText* chosen = At(drawn, 113 + 60 * 2, 640);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->text, "C13");
  int32_t expected[kStringCount];
  std::copy(std::begin(g_Neck[1].Channel), std::end(g_Neck[1].Channel), expected);
  AllocateChannels(1);
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), std::begin(g_Neck[1].Channel)));
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ControlsTest, VoiceFieldOpensTheVoiceListForThatVoice) {
  Click(Region(LowerVoice1Name));
  EXPECT_EQ(g_Page, 3);
  EXPECT_EQ(view().m_SelNeck, 1);
  EXPECT_EQ(view().m_SelVoice, 1);
  const DrawnText* entry = At(Drawn(), VoiceEntry(74).x - 10, VoiceEntry(74).y - 5);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->background, Rgb(250, 240, 210)) << "the voice's program is highlighted";
}

}  // namespace
