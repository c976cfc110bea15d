// Pages 1 to 3: the tuning columns, the device, reverb and chorus lists, the
// voice list and the values under it.
#include <gtest/gtest.h>

#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"
#include "view_fixture.h"

namespace {

using SettingPages = ViewTest;

TEST_F(SettingPages, ReverbAndChorusListsHighlightTheCurrentLevel) {
  g_Page = 2;
  g_ReverbTime = 10;
  g_ChorusLevel = 0;
  view_->OnDraw(dc());
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
  EXPECT_EQ(TextAt(250, 90)->text, "MIDI output device");
  EXPECT_EQ(TextAt(24, 122)->text, "default");
  EXPECT_EQ(TextAt(660, 90)->text, "Reverb");
  EXPECT_EQ(TextAt(760, 90)->text, "Chorus");
}

TEST_F(SettingPages, DeviceRowsPadToFiftyAndHighlightTheOpenDevice) {
  g_Page = 2;
  g_MidiOutDevice = -1;
  view_->OnDraw(dc());
  const DrawnText* mapper = TextAt(80, 120);
  ASSERT_NE(mapper, nullptr);
  EXPECT_EQ(mapper->text, std::string(" -1: MIDI Mapper") + std::string(34, ' '));
  EXPECT_EQ(mapper->text.size(), 50u);
  EXPECT_EQ(mapper->background, kCream);
  EXPECT_EQ(dc().At(80, 120), kCream);
  for (int a = 0; a <= 12; ++a) {
    const DrawnText* row = TextAt(80, 145 + 25 * a);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text.size(), 50u);
    EXPECT_EQ(row->background, kCyan);
    EXPECT_EQ(dc().At(80, 145 + 25 * a), kCyan);
  }
  if (std::string(DeviceName(12)) == "none") {
    EXPECT_EQ(TextAt(80, 445)->text, " 12: none" + std::string(41, ' '));
  }
  EXPECT_EQ(TextAt(80, 170)->text, "  1: Port B" + std::string(39, ' '));
  // The open device moves: its row is highlighted, the mapper's is not.
  g_MidiOutDevice = 3;
  view_->DrawDeviceRow(dc(), -1);
  view_->DrawDeviceRow(dc(), 3);
  EXPECT_EQ(dc().At(80, 120), kCyan);
  EXPECT_EQ(dc().At(80, 220), kCream);
  EXPECT_EQ(TextAt(80, 220)->color, kBlack);
}

TEST_F(SettingPages, VoiceListPlacesAndPadsEveryEntry) {
  g_Page = 3;
  g_Neck[1].Voice1No = 65;
  view_->m_SelNeck = 1;
  view_->m_SelVoice = 1;
  view_->OnDraw(dc());
  struct Case { int program; int x, y; const char* start; };
  const Case cases[] = {
      {0, 40, 80, "  0: Acoustic Piano"},
      {7, 40, 192, "  7: Clavi"},
      {8, 40, 224, "  8: Celesta"},
      {65, 570, 96, " 65: Alto     Sax"},
      {127, 835, 624, "127: Gunshot"},
  };
  for (const Case& c : cases) {
    const DrawnText* t = TextAt(c.x, c.y);
    ASSERT_NE(t, nullptr) << c.program;
    EXPECT_EQ(t->text.size(), 28u);
    EXPECT_EQ(t->text.substr(0, std::string(c.start).size()), c.start);
    EXPECT_EQ(t->text.find_last_not_of(' ') + 1, std::string(c.start).size()) << c.program;
    EXPECT_EQ(t->background, c.program == 65 ? kCream : kCyan) << c.program;
    EXPECT_EQ(t->font, &view_->FontBatang15Bold);
  }
  EXPECT_EQ(dc().At(835, 624), kCyan);
  EXPECT_EQ(dc().At(570, 96), kCream);
}

TEST_F(SettingPages, BankAndVibratoValuesAndSpinButtons) {
  g_Page = 3;
  view_->m_SelNeck = 0;
  view_->m_SelVoice = 0;
  g_Neck[0].Voice0MSB = 0;
  g_Neck[0].Voice0LSB = 5;
  g_Neck[0].Voice0No = 26;
  g_Vibrato[26] = {64, 7, 127};
  view_->OnDraw(dc());
  EXPECT_EQ(TextAt(320, 677)->text, "default=0 ");
  EXPECT_EQ(TextAt(440, 677)->text, "        5 ");
  EXPECT_EQ(TextAt(700, 677)->text, "  64 ");
  EXPECT_EQ(TextAt(820, 677)->text, "   7 ");
  EXPECT_EQ(TextAt(940, 677)->text, " 127 ");
  for (int x : {320, 440, 700, 820, 940}) {
    EXPECT_EQ(TextAt(x, 677)->color, kBlack);
    EXPECT_EQ(TextAt(x, 677)->background, kLightGrey);
    EXPECT_EQ(dc().At(x, 677), kLightGrey) << x;
  }
  const std::pair<int, const char*> captions[] = {
      {320, "Bank(MSB)"}, {440, "Bank(LSB)"}, {662, "Vib-Depth"}, {790, "Vib-Rate"}, {902, "Vib-Delay"}};
  for (const auto& [x, text] : captions) {
    ASSERT_NE(TextAt(x, 660), nullptr) << text;
    EXPECT_EQ(TextAt(x, 660)->text, text);
  }
  const Picture& off = view_->spinOff();
  for (int r : {36, 38, 40, 42, 44}) {
    EXPECT_EQ(dc().At(g_Region[r].left, g_Region[r].top), off.At(0, 0)) << r;
    EXPECT_EQ(dc().At(g_Region[r].left + 15, g_Region[r].top + 32), off.At(15, 32)) << r;
  }
}

TEST_F(SettingPages, TuningColumnsShowNotesAndPedalMarks) {
  g_Page = 1;
  g_Tuning[2].NoteName[0][3] = "B#";
  g_Tuning[2].Pedal[0][3] = 1;
  g_Tuning[2].Pedal[1][3] = -1;
  g_Tuning[2].Pedal[0][4] = 0;
  g_Tuning[2].Pedal[1][4] = 0;
  view_->OnDraw(dc());
  const int x0 = 40 + 140 * 2, y = 205 + 26 * 3;
  EXPECT_EQ(TextAt(x0, 140)->text, "Set-3");
  EXPECT_EQ(TextAt(x0 + 66, 170)->text, "Pedal");
  EXPECT_EQ(TextAt(x0 + 70, 185)->text, "1");
  EXPECT_EQ(TextAt(x0 + 95, 185)->text, "2");
  EXPECT_EQ(TextAt(x0, y)->text, " B# ");
  EXPECT_EQ(TextAt(x0 + 70, y)->text, "#");
  EXPECT_EQ(TextAt(x0 + 95, y)->text, "b");
  EXPECT_EQ(TextAt(x0 + 70, y + 26)->text, " ");
  EXPECT_EQ(TextAt(x0, y)->background, kCyan);
  EXPECT_EQ(dc().At(x0, y), kCyan);
  EXPECT_EQ(TextAt(10, 680)->text, kTuningFooter);
  EXPECT_EQ(TextAt(10, 680)->background, kLightBlue);
}

TEST_F(SettingPages, NameBoxesRefuseASixthCharacter) {
  TuningNameEdit& box = view_->m_TuningNameEdit[4];
  EXPECT_FALSE(box.visible());
  EXPECT_EQ(box.id(), 32004);
  EXPECT_EQ(box.rect().left, 40 + 140 * 4);
  EXPECT_EQ(box.rect().top, 174);
  EXPECT_EQ(box.rect().right, 40 + 140 * 4 + 62);
  EXPECT_EQ(box.rect().bottom, 196);
  box.Show(true);
  box.SetWindowText("");
  box.SetFocus(true);
  for (char c : std::string("E9sus4")) box.OnChar(static_cast<unsigned char>(c));
  EXPECT_EQ(box.GetWindowText(), "E9sus");
  box.OnChar(8);
  box.OnChar('7');
  EXPECT_EQ(box.GetWindowText(), "E9su7");
}

class NoPictures : public ViewTest {
  bool WithPictures() const override { return false; }
};

TEST_F(NoPictures, EveryPageDrawsWithoutPicturesOrMessages) {
  for (int page = 0; page < 4; ++page) {
    g_Page = page;
    view_->OnDraw(dc());
  }
  EXPECT_TRUE(boxes_.boxes.empty());
  EXPECT_TRUE(view_->barTip().empty());
  EXPECT_EQ(dc().At(5, 5), Rgb(255, 255, 255));
}

}  // namespace
