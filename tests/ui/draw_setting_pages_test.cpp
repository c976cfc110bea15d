// Pages 1 and 2: the tuning columns, the device, reverb and chorus lists; and
// every page without pictures. The voice page is checked with its controls.
#include <gtest/gtest.h>

#include "ui/controls_fixture.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"

namespace {

using SettingPages = ControlsTest;

TEST_F(SettingPages, DeviceRowsPadToFiftyAndTheOpenDeviceAndLevelsAreHighlighted) {
  g_Page = 2;
  g_ReverbTime = 10;
  g_ChorusLevel = 0;
  view().OnDraw(dc());
  for (int a = -1; a <= 12; ++a) {
    const DrawnText* row = TextAt(80, 145 + 25 * a);
    ASSERT_NE(row, nullptr) << a;
    EXPECT_EQ(row->text.size(), 50u);
    EXPECT_EQ(row->background, a == -1 ? kCream : kCyan) << a;
    EXPECT_EQ(dc().At(80, 145 + 25 * a), a == -1 ? kCream : kCyan) << a;
  }
  EXPECT_EQ(TextOf(80, 120), " -1: MIDI Mapper" + std::string(34, ' '));
  EXPECT_EQ(TextOf(80, 445), " 12: none" + std::string(41, ' '));
  for (int v = 0; v <= 10; ++v) {
    const DrawnText* r = TextAt(670, 370 - 25 * v);
    const DrawnText* c = TextAt(770, 370 - 25 * v);
    ASSERT_TRUE(r && c) << v;
    EXPECT_EQ(r->text, (v == 10 ? " 10 " : "  " + std::to_string(v) + " "));
    EXPECT_EQ(r->background, v == 10 ? kCream : kCyan) << v;
    EXPECT_EQ(r->color, v == 10 ? kBlack : kGrey) << v;
    EXPECT_EQ(c->background, v == 0 ? kCream : kCyan) << v;
  }
  EXPECT_EQ(dc().At(670, 120), kCream);
  EXPECT_EQ(dc().At(670, 370), kCyan);
  EXPECT_EQ(dc().At(770, 370), kCream);
  const std::pair<Point, const char*> captions[] = {
      {{250, 90}, "MIDI output device"}, {{24, 122}, "default"}, {{660, 90}, "Reverb"}, {{760, 90}, "Chorus"}};
  for (const auto& [p, text] : captions) EXPECT_EQ(TextOf(p.x, p.y), text);
}

TEST_F(SettingPages, TuningColumnsShowNotesAndPedalMarks) {
  g_Page = 1;
  g_Tuning[2].NoteName[0][3] = "B#";
  g_Tuning[2].Pedal[0][3] = 1;
  g_Tuning[2].Pedal[1][3] = -1;
  g_Tuning[2].Pedal[0][4] = 0;
  view().OnDraw(dc());
  const int x0 = 40 + 140 * 2, y = 205 + 26 * 3;
  const std::pair<Point, const char*> texts[] = {
      {{x0, 140}, "Set-3"}, {{x0 + 66, 170}, "Pedal"}, {{x0 + 70, 185}, "1"}, {{x0 + 95, 185}, "2"},
      {{x0, y}, " B# "},    {{x0 + 70, y}, "#"},       {{x0 + 95, y}, "b"},  {{x0 + 70, y + 26}, " "},
      {{10, 680}, kTuningFooter}};
  for (const auto& [p, text] : texts) EXPECT_EQ(TextOf(p.x, p.y), text) << text;
  EXPECT_EQ(TextAt(x0, y)->background, kCyan);
  EXPECT_EQ(dc().At(x0, y), kCyan);
  EXPECT_EQ(TextAt(10, 680)->background, kLightBlue);
}

class NoPictures : public ControlsTest {
  bool WithPictures() const override { return false; }
};

TEST_F(NoPictures, EveryPageDrawsWithoutPicturesOrMessages) {
  for (int page = 0; page < 4; ++page) {
    g_Page = page;
    view().OnDraw(dc());
  }
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(view().barTip().empty());
  EXPECT_EQ(dc().At(5, 5), Rgb(255, 255, 255));
}

}  // namespace
