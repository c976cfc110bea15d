#include "perform/timed_motions.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <utility>

#include "midi/timers.h"
#include "perform/play_state.h"
#include "perform/play_fixture.h"
#include "perform/view_filter.h"
#include "song/autoplay_tick.h"

namespace {

class TimedMotionsTest : public PlayTest {};

TEST_F(TimedMotionsTest, MoveBackToTheStoredPointIsNotDeliveredAgain) {
  HoverCell(0, 0, 0);
  const Point stored = g_CursorClient;
  g_CursorClient = {0, 0};  // so a second delivery would show
  sys().MouseMove(stored);
  sys().Wait(40);
  EXPECT_EQ(g_CursorClient.x, 0) << "a move to the stored point is forgotten";
  EXPECT_EQ(g_bMouseMovePending.load(), 0);
}

TEST_F(TimedMotionsTest, DuringAutoPlayNoLiveInputReachesTheHandlersAndEscapeAsksToStop) {
  HoverCell(0, 1, 0);
  Sent();
  g_bAutoPlay = 1;
  Press(1);
  sys().Button(WM_LBUTTONDOWN, Cell(0, 1, 0));
  sys().Button(WM_RBUTTONDBLCLK, Cell(0, 1, 0));
  sys().MouseMove(Cell(1, 3, 5));
  sys().Wait(60);
  EXPECT_EQ(g_bKeyHeld, 0);
  EXPECT_EQ(g_Pedal1, 0);
  EXPECT_EQ(g_Pedal2, 0);
  EXPECT_EQ(g_PlayNeck, 0) << "the move was dropped";
  EXPECT_EQ(g_bMouseMovePending.load(), 0);
  EXPECT_EQ(g_bStopRequest.load(), 0);
  sys().KeyDown(VK_ESCAPE);
  EXPECT_EQ(g_bStopRequest.load(), 1);
  EXPECT_TRUE(Sent().empty());
  g_bAutoPlay = 0;
}

TEST(ViewFilterTest, WhatPassesAndWhatWaits) {
  struct Case {
    uint32_t msg;
    bool autoplay;
    bool passes;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, false, false},     {WM_MOUSEMOVE, true, false},
      {WM_KEYDOWN, false, true},        {WM_KEYDOWN, true, false},
      {WM_KEYUP, false, true},          {WM_KEYUP, true, false},
      {WM_LBUTTONDOWN, false, true},    {WM_LBUTTONDOWN, true, false},
      {WM_RBUTTONDBLCLK, true, false},  {WM_RBUTTONUP, true, false},
      {WM_STROKE_STEP, true, true},     {WM_GLIDE_STEP, true, true},
      {WM_MOUSE_RELEASE, true, true},   {WM_TIMER, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message " << c.msg << (c.autoplay ? " during auto-play" : ""));
    g_bAutoPlay = c.autoplay;
    g_bMouseMovePending = 0;
    EXPECT_EQ(FilterViewMessage(Message{c.msg, 0, MakePointParam(300, 200)}), c.passes);
    if (c.msg == WM_MOUSEMOVE) {
      EXPECT_EQ(g_bMouseMovePending.load(), c.autoplay ? 0 : 1);
    }
  }
  g_bAutoPlay = 0;
  g_bMouseMovePending = 0;
  g_PendingMouseLParam = 0;
}

TEST_F(TimedMotionsTest, EveryWayOfEndingAStroke) {
  HoverCell(0, 0, 0);
  Press(0);
  sys().Wait(40);  // strings 7, 6, 5
  Sent();
  Release(0);
  EXPECT_EQ(SentOf("8").size(), 6u) << "strings 7, 6, 5 stop";
  EXPECT_EQ(g_TimerId[kStrokeTimerSlot].load(), 0u);

  Press(0);
  sys().Wait(40);
  Press(1);
  EXPECT_EQ(g_StrokeString, -1);
  EXPECT_EQ(g_TimerId[kStrokeTimerSlot].load(), 0u);
  Sent();
  sys().Wait(100);
  EXPECT_TRUE(SentOf("9").empty());
  Release(1);
  Release(0);

  // Released while another key is held, the stroke ends at its next step.
  Press(1);
  Press(0);  // cancels nothing yet, starts the stroke from string 7
  sys().Wait(60);  // strings 6, 5, 4 struck
  Release(0);
  Sent();
  sys().Wait(100);
  EXPECT_TRUE(SentOf("9").empty()) << "no further string is struck";
  Release(1);
  // Strings 7, 6, 5, 4 stop with the last key (string 0 of key 1 was silenced by key 0).
  EXPECT_EQ(SentOf("8").size(), 8u);
}

// Thousands of random keys, buttons and moves, then every key and pedal let go:
// every note-on has had its note-off.
TEST_F(TimedMotionsTest, RandomPlayingLeavesNoNoteHanging) {
  std::mt19937 random(20261206);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int keys[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 96, 97, 100, 105, 65, 27};
  const uint32_t buttons[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                              WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK};
  auto point = [&]() -> Point {
    switch (pick(0, 3)) {
      case 0: return {pick(-100, 1460), pick(-100, 800)};         // anywhere
      case 1: return {pick(49, 1328), pick(111, 302)};            // upper neck
      case 2: return {pick(49, 1328), pick(411, 602)};            // lower neck
      default: return {pick(40, 1340), pick(100, 620)};
    }
  };
  for (int step = 0; step < 4000; ++step) {
    switch (pick(0, 5)) {
      case 0: sys().KeyDown(keys[pick(0, 15)]); break;
      case 1: sys().KeyUp(keys[pick(0, 15)]); break;
      case 2: sys().Button(buttons[pick(0, 5)], point()); break;
      case 3:
      case 4: sys().MouseMove(point()); break;
      default: sys().Wait(pick(0, 45)); break;
    }
  }
  for (int k : keys) sys().KeyUp(k);
  sys().Button(WM_LBUTTONUP, {600, 200});
  sys().Button(WM_RBUTTONUP, {600, 200});
  sys().Wait(1000);

  std::map<std::pair<int, int>, int> sounding;  // (channel, note) -> note-ons not yet ended
  int notes = 0;
  for (const HeadlessEvent& e : sys().TakeEvents()) {
    const int status = e.packed & 0xF0, channel = e.packed & 0x0F, note = (e.packed >> 8) & 0x7F;
    if (status == 0x90 && ((e.packed >> 16) & 0x7F) != 0) {
      ++sounding[{channel, note}];
      ++notes;
    } else if (status == 0x80 || status == 0x90) {
      --sounding[{channel, note}];
    }
  }
  EXPECT_GT(notes, 100) << "the random input played something";
  for (const auto& [key, count] : sounding) {
    EXPECT_EQ(count, 0) << "channel " << key.first << " note " << key.second;
  }
  for (const NeckInfo& neck : g_Neck) {
    for (int32_t s : neck.SoundingNote) EXPECT_EQ(s, -1);
  }
  EXPECT_EQ(g_Capture, -1);
  EXPECT_FALSE(sys().pointer().clipped());
}

}  // namespace
