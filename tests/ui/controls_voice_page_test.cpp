// The voice page: choosing a program from the list loads the voice without
// volumes and sounds a preview; the spin buttons step the bank and vibrato
// values, repeating on window timer 1 while held.
#include <gtest/gtest.h>

#include "midi/channels.h"
#include "perform/play_state.h"
#include "ui/controls_fixture.h"

namespace {

class VoicePageTest : public ControlsTest {
 protected:
  // Opens the list for voice v of neck n through its field on the playing
  // page; returns what the page drew.
  std::vector<DrawnText> Open(int n, int v) {
    Click(Region(n == 0 ? UpperVoice0Name + v : LowerVoice0Name + v));
    EXPECT_EQ(g_Page, 3);
    Sent();
    return Drawn();
  }
};

TEST_F(VoicePageTest, EntriesArePaddedAndTheValuesAndButtonsBelowShowTheVoice) {
  g_Neck[0].Voice0LSB = 5;
  g_Vibrato[26] = {64, 7, 127};
  const std::vector<DrawnText> opened = Open(0, 0);  // program 26
  const struct { int program, x, y; std::string start; } entries[] = {
      {0, 40, 80, "  0: Acoustic Piano"}, {7, 40, 192, "  7: Clavi"},         {8, 40, 224, "  8: Celesta"},
      {26, 40, 544, " 26: Jazz  Guitar"}, {65, 570, 96, " 65: Alto     Sax"}, {127, 835, 624, "127: Gunshot"}};
  for (const auto& e : entries) {
    const DrawnText* t = At(opened, e.x, e.y);
    ASSERT_NE(t, nullptr) << e.program;
    EXPECT_EQ(t->text, e.start + std::string(28 - e.start.size(), ' '));
    EXPECT_EQ(t->background, e.program == 26 ? kCream : kCyan) << e.program;
    EXPECT_EQ(dc().At(e.x, e.y), e.program == 26 ? kCream : kCyan) << e.program;
    EXPECT_EQ(t->font, &view().FontBatang15Bold);
  }
  const std::pair<int, const char*> values[] = {
      {320, "default=0 "}, {440, "        5 "}, {700, "  64 "}, {820, "   7 "}, {940, " 127 "}};
  for (const auto& [x, text] : values) {
    const DrawnText* t = At(opened, x, 677);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_EQ(t->text, text);
    EXPECT_EQ(t->color, kBlack);
    EXPECT_EQ(t->background, kLightGrey);
    EXPECT_EQ(dc().At(x, 677), kLightGrey) << x;
  }
  const std::pair<int, const char*> captions[] = {
      {320, "Bank(MSB)"}, {440, "Bank(LSB)"}, {662, "Vib-Depth"}, {790, "Vib-Rate"}, {902, "Vib-Delay"}};
  for (const auto& [x, text] : captions) {
    ASSERT_NE(At(opened, x, 660), nullptr) << text;
    EXPECT_EQ(At(opened, x, 660)->text, text);
  }
  for (int r : {BankMsbUp, BankLsbUp, VibDepthUp, VibRateUp, VibDelayUp}) {
    EXPECT_TRUE(Shows(view().spinOff(), g_Region[r].left, g_Region[r].top)) << r;
  }
}

TEST_F(VoicePageTest, Program40ForVoice1OfTheLowerNeckLoadsWithoutVolumeAndPreviewsOnChannel1) {
  const std::vector<DrawnText> opened = Open(1, 1);
  const DrawnText* was = At(opened, 570, 256);  // program 74, the voice's own
  ASSERT_NE(was, nullptr);
  EXPECT_EQ(was->background, kCream);
  LeftDown(VoiceEntry(40));
  EXPECT_EQ(g_Neck[1].Voice1No, 40);
  const std::vector<std::string> sent = Sent();

  // What the set-up of the lower neck without volumes sends, then the preview.
  SetupNeckVoices(1, false);
  std::vector<std::string> expected = Sent();
  expected.push_back("91 3c 7f");
  EXPECT_EQ(sent, expected);
  EXPECT_TRUE(StartingWith(sent, "b0 07").empty());
  EXPECT_EQ(sent.size(), 225u);

  const std::vector<DrawnText> drawn = Drawn();
  ASSERT_NE(At(drawn, 305, 224), nullptr);
  EXPECT_EQ(At(drawn, 305, 224)->background, kCream);
  EXPECT_EQ(At(drawn, 305, 224)->text.substr(0, 9), " 40: Viol");
  ASSERT_NE(At(drawn, 570, 256), nullptr);  // program 74, chosen before
  EXPECT_EQ(At(drawn, 570, 256)->background, kCyan);
  EXPECT_NE(At(drawn, 700, 677), nullptr);
  EXPECT_NE(At(drawn, 820, 677), nullptr);
  EXPECT_NE(At(drawn, 940, 677), nullptr);

  sys().Wait(500);
  EXPECT_TRUE(Sent().empty()) << "the preview sounds until the button is released";
  LeftUp(VoiceEntry(40));
  EXPECT_EQ(Sent(), std::vector<std::string>({"81 3c 7f"}));
  EXPECT_EQ(g_PreviewNote, -1);
}

TEST_F(VoicePageTest, BankMsbHeldFrom125RepeatsAfter400MsThenEvery100MsUpTo127) {
  Open(0, 0);
  g_Neck[0].Voice0MSB = 125;
  const size_t timers = sys().clock().RunningTimerCount();

  LeftDown(Region(BankMsbUp));
  EXPECT_EQ(g_Neck[0].Voice0MSB, 126);
  EXPECT_EQ(g_Capture, BankMsbUp);
  EXPECT_TRUE(Shows(view().spinUp(), 400, 660));
  ASSERT_NE(At(Drawn(), 320, 677), nullptr);
  EXPECT_EQ(sys().clock().RunningTimerCount(), timers + 1);

  sys().Wait(399);
  EXPECT_EQ(g_Neck[0].Voice0MSB, 126);
  sys().Wait(1);
  EXPECT_EQ(g_Neck[0].Voice0MSB, 127);
  const DrawnText* shown = At(Drawn(), 320, 677);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, "      127 ");

  sys().Wait(1000);
  EXPECT_EQ(g_Neck[0].Voice0MSB, 127);
  EXPECT_EQ(At(Drawn(), 320, 677), nullptr) << "nothing more to draw at the end of the range";
  EXPECT_EQ(sys().clock().RunningTimerCount(), timers + 1) << "the timer runs on";

  LeftUp(Region(BankMsbUp));
  EXPECT_EQ(g_Capture, -1);
  EXPECT_FALSE(sys().pointer().captured());
  EXPECT_EQ(sys().clock().RunningTimerCount(), timers);
  EXPECT_TRUE(Shows(view().spinOff(), 400, 660));
  EXPECT_TRUE(Sent().empty()) << "the spin buttons send nothing";
}

TEST_F(VoicePageTest, EverySpinButtonStepsItsOwnValue) {
  Open(1, 0);
  const int p = g_Neck[1].Voice0No;
  struct Case {
    int region;
    int32_t* value;
    int from, to;
  } cases[] = {
      {BankMsbUp, &g_Neck[1].Voice0MSB, 0, 1},     {BankMsbDown, &g_Neck[1].Voice0MSB, 0, 0},
      {BankLsbUp, &g_Neck[1].Voice0LSB, 127, 127}, {BankLsbDown, &g_Neck[1].Voice0LSB, 5, 4},
      {VibDepthUp, &g_Vibrato[p].Depth, 10, 11},   {VibDepthDown, &g_Vibrato[p].Depth, 10, 9},
      {VibRateUp, &g_Vibrato[p].Rate, 64, 65},     {VibRateDown, &g_Vibrato[p].Rate, 64, 63},
      {VibDelayUp, &g_Vibrato[p].Delay, 0, 1},     {VibDelayDown, &g_Vibrato[p].Delay, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.region);
    *c.value = c.from;
    LeftDown(Region(c.region));
    EXPECT_EQ(*c.value, c.to);
    const Rect& up = g_Region[c.region - (c.region - BankMsbUp) % 2];
    EXPECT_TRUE(Shows(c.region % 2 == 0 ? view().spinUp() : view().spinDown(), up.left, up.top));
    LeftUp(Region(c.region));
    EXPECT_TRUE(Shows(view().spinOff(), up.left, up.top));
  }
  EXPECT_EQ(g_Neck[0].Voice0MSB, 0) << "the other neck keeps its bank";
}

TEST_F(VoicePageTest, LeavingTheButtonWithThePointerEndsTheRepeat) {
  Open(0, 1);
  g_Vibrato[g_Neck[0].Voice1No].Depth = 50;
  LeftDown(Region(VibDepthDown));
  EXPECT_EQ(g_Vibrato[g_Neck[0].Voice1No].Depth, 49);
  sys().MouseMove(Region(VibDepthUp));  // the other half is another button
  sys().Wait(20);
  EXPECT_EQ(g_Capture, -1);
  EXPECT_TRUE(Shows(view().spinOff(), 740, 660));
  sys().Wait(1000);
  EXPECT_EQ(g_Vibrato[g_Neck[0].Voice1No].Depth, 49);
  LeftUp(Region(VibDepthUp));
  EXPECT_EQ(g_Vibrato[g_Neck[0].Voice1No].Depth, 49);
}

TEST_F(VoicePageTest, TheNextPlayAfterLeavingSendsTheEditedBankAndVibrato) {
  Open(0, 0);
  Click(Region(BankLsbUp));
  Click(Region(VibRateUp));
  Click(Tab(0));
  Sent();
  PlayKey(0);
  const std::vector<std::string> sent = Sent();
  const int rate = g_Vibrato[g_Neck[0].Voice0No].Rate;
  EXPECT_EQ(StartingWith(sent, "b0 20"), std::vector<std::string>({"b0 20 01"}));
  char line[16];
  std::snprintf(line, sizeof line, "b0 06 %02x", rate);
  EXPECT_EQ(StartingWith(sent, "b0 06").at(1), line);
}

}  // namespace
