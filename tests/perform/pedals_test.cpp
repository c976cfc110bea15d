#include "perform/pedals.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/reset.h"
#include "midi/channels.h"
#include "midi/timers.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "perform/play_fixture.h"

namespace {

// Bend lines of one channel pair for pedal bends, at the bar's centre.
std::vector<std::string> Glide(int channel, int64_t start_ms, const std::vector<int>& steps) {
  std::vector<std::string> out;
  char line[48];
  for (size_t k = 0; k < steps.size(); ++k) {
    const int v = 8192 + steps[k];
    const long long t = start_ms + 30 * static_cast<long long>(k + 1);
    for (int ch = channel; ch <= channel + 1; ++ch) {
      std::snprintf(line, sizeof line, "%lld e%x %02x %02x", t, ch, v % 128, v / 128);
      out.push_back(line);
    }
  }
  return out;
}

std::vector<int> Ramp(int from, int to) {
  std::vector<int> out;
  for (int v = from; v != to;) {
    v = to > v ? std::min(v + 30, to) : std::max(v - 30, to);
    out.push_back(v);
  }
  return out;
}

class PedalsTest : public PlayTest {};

TEST_F(PedalsTest, PedalGlidesThirtyUnitsEveryThirtyMillisecondsAndARedirectTurnsBack) {
  // The default C6 neck: pedal 1 raises strings 2 and 6 (channel pair 2, 3).
  HoverCell(0, 2, 0);
  Press(1);
  Sent();
  Mark();
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));
  sys().Wait(90);  // 30, 60, 90
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 0));
  sys().Wait(200);
  std::vector<std::string> want = Glide(2, 0, {30, 60, 90});
  for (const std::string& s : Glide(2, 90, {60, 30, 0})) want.push_back(s);
  EXPECT_EQ(Timed(), want);

  Mark();
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));
  sys().Wait(400);
  // Bends only under the held key: no note is struck again.
  EXPECT_EQ(Timed(), Glide(2, 0, Ramp(0, 341)));  // 30, 60, ... 330, 341
  EXPECT_EQ(g_TimerId[kGlideTimerSlot].load(), 0u) << "the glide stops at its target";
  EXPECT_EQ(g_Neck[0].BendNow[2], 341);
  EXPECT_EQ(g_Neck[0].BendNow[6], 341);
  EXPECT_EQ(g_Neck[0].SoundingNote[2], 60) << "the note number stays; the bend moves it";

  Mark();
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 0));
  sys().Wait(400);
  EXPECT_EQ(Timed(), Glide(2, 0, Ramp(341, 0))) << "back to 0 on release";
}

TEST_F(PedalsTest, PedalTargetsAreASemitoneEitherWayAndBothPedalsOnAStringGiveOne) {
  g_Tuning[0].Pedal[0][5] = -1;  // pedal 1 also lowers string 5
  g_Tuning[0].Pedal[1][2] = 1;   // string 2 also raised by pedal 2
  BuildPedalNoteNames();
  BuildStringNotes();
  AllocateChannels(0);
  HoverCell(0, 0, 0);
  sys().Button(WM_LBUTTONDBLCLK, Cell(0, 0, 0));  // a double click is a press like any other
  EXPECT_EQ(g_Pedal1, 1);
  const int want[8] = {0, 0, 341, 0, 0, -341, 341, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g_Neck[0].BendTarget[i], want[i]) << "string " << i;
  sys().Button(WM_RBUTTONDOWN, Cell(0, 0, 0));
  sys().Wait(600);
  EXPECT_EQ(g_Neck[0].BendTarget[2], 341);
  EXPECT_EQ(g_Neck[0].BendNow[2], 341) << "+341, not +682";
  EXPECT_EQ(g_Neck[0].BendNow[5], -341);
  EXPECT_EQ(g_TimerId[kGlideTimerSlot].load(), 0u);
}

TEST_F(PedalsTest, PedalWithoutStringsForItStillHoldsTheNeckButStartsNoGlide) {
  for (int s = 0; s < 8; ++s) g_Tuning[0].Pedal[1][s] = 0;
  BuildStringNotes();
  AllocateChannels(0);
  HoverCell(0, 0, 0);
  sys().Button(WM_RBUTTONDOWN, Cell(0, 0, 0));
  EXPECT_EQ(g_Pedal2, 1);
  EXPECT_EQ(g_Capture, 6);
  EXPECT_TRUE(sys().pointer().clipped());
  EXPECT_EQ(g_TimerId[kGlideTimerSlot].load(), 0u);
  EXPECT_EQ(g_SoundNeck, 0) << "the neck's voices were loaded";
}

TEST_F(PedalsTest, MovingOffTheNeckStopsTheGlidePartWayAndAnotherTuningDoesNotKeepIt) {
  for (int s = 0; s < 8; ++s) g_Tuning[1].Pedal[0][s] = g_Tuning[1].Pedal[1][s] = 0;
  g_Tuning[1].Pedal[0][0] = 1;  // tuning 1 moves string 0 only
  BuildPedalNoteNames();
  BuildStringNotes();
  HoverCell(0, 2, 0);
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));  // pedal 1 raises string 2
  sys().Wait(400);
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 0));
  sys().Wait(60);  // 311, 281
  const Point tuning1{200, 347};
  Hover(tuning1);  // off the neck
  sys().Wait(300);
  EXPECT_EQ(g_TimerId[kGlideTimerSlot].load(), 0u);
  const int reached = g_Neck[0].BendNow[2];
  EXPECT_GT(reached, 0);
  EXPECT_LT(reached, 341);

  HoverCell(0, 2, 0);
  Sent();
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 0));  // continues from the value reached
  Mark();
  sys().Wait(30);
  const std::vector<std::string> t = Timed();
  ASSERT_FALSE(t.empty());
  char want[32];
  std::snprintf(want, sizeof want, "e2 %02x %02x", (8192 + reached + 30) % 128, (8192 + reached + 30) / 128);
  EXPECT_NE(t[0].find(want), std::string::npos) << t[0];

  // Stopped part-way again, then tuning 1, where string 2 has no pedal.
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 0));
  Hover(tuning1);
  ASSERT_GT(g_Neck[0].BendNow[2], 0);
  sys().Button(WM_LBUTTONDOWN, tuning1);
  sys().Button(WM_LBUTTONUP, tuning1);
  ASSERT_EQ(g_Neck[0].Tuning, 1);
  HoverCell(0, 2, 0);
  Sent();
  Press(1);
  const std::vector<std::string> press = Sent();
  ASSERT_FALSE(press.empty());
  EXPECT_EQ(press[0].substr(3), "00 40") << "string 2 sounds unbent";
  Release(1);
}

TEST_F(PedalsTest, PedalPressedBeforeTheMoveThereIsDeliveredPlaysTheNeckItWasPressedOn) {
  HoverCell(1, 2, 3);
  sys().MouseMove(Cell(0, 2, 3));  // up to the upper neck: not delivered yet
  sys().Button(WM_LBUTTONDOWN, Cell(0, 2, 3));  // pedal 1, and the neck repainted
  Press(1);
  EXPECT_EQ(g_Neck[0].SoundingNote[2], 63) << "the key plays where the pedal is";
  EXPECT_EQ(g_Capture, 6);
  Release(1);
  sys().Button(WM_LBUTTONUP, Cell(0, 2, 3));
  sys().Wait(600);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g_Neck[0].BendNow[i], 0) << "string " << i;

  // With a key held, a pedal pressed right after a slide leaves the bend to the slide.
  HoverCell(0, 0, 3);
  Press(1);
  sys().MouseMove(Cell(0, 0, 3, 64));
  sys().Button(WM_LBUTTONDOWN, Cell(0, 0, 3, 64));
  Sent();
  sys().Wait(20);
  const std::vector<std::string> bends = SentOf("e");
  ASSERT_FALSE(bends.empty()) << "the slide bends the held note";
  EXPECT_EQ(bends[0], "e0 55 42") << "string 0 a semitone up";
}

TEST_F(PedalsTest, LeftButtonFromOffTheNecksComingUpLeavesTheHeldNeckItsNotesAndPedal) {
  // The left button goes down off the necks; the right pedal and a key then
  // hold the upper neck, and the left button comes up in the middle.
  Hover({700, 80});
  sys().Button(WM_LBUTTONDOWN, {700, 80});
  HoverCell(0, 3, 0);
  sys().Button(WM_RBUTTONDOWN, Cell(0, 3, 0));  // pedal 2 moves string 3
  Press(1);
  sys().Wait(400);
  sys().Button(WM_LBUTTONUP, Cell(0, 3, 0));
  EXPECT_EQ(g_Capture, 6);
  Sent();
  Hover(Cell(0, 3, 0, 64));
  EXPECT_EQ(SentOf("e").size(), 2u) << "the bar still bends the held note";
  sys().Button(WM_RBUTTONUP, Cell(0, 3, 0, 64));
  Release(1);
  sys().Wait(600);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(g_Neck[0].SoundingNote[i], -1) << "string " << i << " stopped";
    EXPECT_EQ(g_Neck[0].BendTarget[i], 0) << "string " << i;
    EXPECT_EQ(g_Neck[0].BendNow[i], 0) << "string " << i;
  }
  EXPECT_EQ(g_Capture, -1);
  EXPECT_FALSE(sys().pointer().clipped());
}

TEST(CountPedalStringsTest, CountsStringsOfEitherPedalByMask) {
  ResetAllState();
  ApplyDefaultSettings();  // C6: pedal 1 on strings 2 and 6, pedal 2 on 3 and 7
  g_Tuning[0].Pedal[1][2] = -1;  // string 2 on both pedals counts once
  EXPECT_EQ(CountPedalStrings(0, 0), 0);
  EXPECT_EQ(CountPedalStrings(0, 1), 2);
  EXPECT_EQ(CountPedalStrings(0, 2), 3);
  EXPECT_EQ(CountPedalStrings(0, 3), 4);
  ResetAllState();
}

}  // namespace
