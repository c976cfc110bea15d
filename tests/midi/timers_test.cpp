#include "midi/timers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/reset.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "song/autoplay_tick.h"
#include "song/song_state.h"
#include "support/recording_boxes.h"
#include "support/virtual_time.h"

namespace {

struct Delivered {
  int64_t at;
  uint32_t msg;
  bool operator==(const Delivered&) const = default;
};

class TimersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    clock_.SetHandler([this](const Message& m) { delivered_.push_back({clock_.NowMs(), m.msg}); });
  }
  void TearDown() override { ResetAllState(); }

  VirtualTime clock_;
  RecordingBoxes boxes_;
  std::vector<Delivered> delivered_;
};

TEST_F(TimersTest, TickReleasesTheMouseMoveOncePerFourTicksExceptDuringASong) {
  ASSERT_EQ(StartTimer(kTickTimerSlot), 0);
  clock_.Advance(1000);  // 200 ticks
  ASSERT_EQ(delivered_.size(), 50u);
  for (size_t i = 0; i < delivered_.size(); ++i)
    EXPECT_EQ(delivered_[i], (Delivered{static_cast<int64_t>(20 * (i + 1)), WM_MOUSE_RELEASE}));
  delivered_.clear();
  clock_.Advance(10);
  // A song whose end lies far beyond the test: the song step posts nothing.
  g_SongEvent[0] = SongEvent{1000000, EventEnd, 0};
  g_AutoPlayState = 2;
  clock_.Advance(100);
  EXPECT_TRUE(delivered_.empty());
  EXPECT_EQ(g_MouseTickCount, 2);
  g_AutoPlayState = 0;
  clock_.Advance(10);
  EXPECT_EQ(delivered_, (std::vector<Delivered>{{1120, WM_MOUSE_RELEASE}}));
}

TEST_F(TimersTest, EachSlotPostsItsMessageAtItsPeriodFromEachStart) {
  struct Case {
    int slot;
    uint32_t msg;
    int64_t period;
  };
  for (const Case& c : {Case{1, WM_STROKE_STEP, 20}, Case{2, WM_GLIDE_STEP, 30}}) {
    SCOPED_TRACE(c.slot);
    delivered_.clear();
    const int64_t start = clock_.NowMs();
    ASSERT_EQ(StartTimer(c.slot), 0);
    EXPECT_NE(g_TimerId[c.slot], 0u);
    clock_.Advance(3 * c.period + 5);
    StopTimer(c.slot);
    ASSERT_EQ(StartTimer(c.slot), 0);  // restarted: the next step is a whole period away
    clock_.Advance(c.period);
    StopTimer(c.slot);
    EXPECT_EQ(g_TimerId[c.slot], 0u);
    clock_.Advance(10 * c.period);
    EXPECT_EQ(delivered_, (std::vector<Delivered>{{start + c.period, c.msg},
                                                 {start + 2 * c.period, c.msg},
                                                 {start + 3 * c.period, c.msg},
                                                 {start + 4 * c.period + 5, c.msg}}));
  }
}

TEST_F(TimersTest, BadSlotsAndFailedStartsAreHarmless) {
  ASSERT_EQ(StartTimer(kGlideTimerSlot), 0);
  const uint32_t glide = g_TimerId[kGlideTimerSlot];
  for (int slot : {1, 3, 7, 0, -1, 4}) StopTimer(slot);
  EXPECT_EQ(g_TimerId[kGlideTimerSlot], glide);
  EXPECT_NE(StartTimer(7), 0);
  EXPECT_NE(StartTimer(0), 0);
  clock_.SetFailStarts(true);
  EXPECT_NE(StartTimer(kStrokeTimerSlot), 0);
  EXPECT_EQ(g_TimerId[kStrokeTimerSlot], 0u);
  StopTimer(kStrokeTimerSlot);
  clock_.Advance(30);
  EXPECT_EQ(delivered_, (std::vector<Delivered>{{30, WM_GLIDE_STEP}}));
}

TEST_F(TimersTest, ClosingStopsEverySlotAndDrains) {
  for (int slot = 1; slot <= 3; ++slot) ASSERT_EQ(StartTimer(slot), 0);
  clock_.Advance(7);
  g_bMouseMovePending = 1;
  CloseTimers();
  for (int slot = 1; slot <= 3; ++slot) EXPECT_EQ(g_TimerId[slot], 0u);
  EXPECT_EQ(g_bMouseMovePending, 0);
  EXPECT_EQ(clock_.NowMs(), 7 + static_cast<int64_t>(kCloseDrainMs));
  EXPECT_EQ(clock_.RunningTimerCount(), 0u);
  clock_.Advance(1000);
  EXPECT_TRUE(delivered_.empty());
}

TEST_F(TimersTest, InitializeWarnsOnlyWhenOneMillisecondIsNotAvailable) {
  struct Case {
    uint32_t min_period;
    bool warns;
    int periods_held;  // 1 ms period requests held until TimerRelease
  };
  for (const Case& c : {Case{1, false, 0}, Case{2, true, 0}, Case{16, true, 0}, Case{0, false, 1}}) {
    SCOPED_TRACE(c.min_period);
    ResetTimerState();
    boxes_.Clear();
    VirtualClock clock;
    clock.SetCaps({c.min_period, 1000000});
    g_Platform.timers = &clock;
    EXPECT_EQ(mf_TimerInitialize(), 0);
    EXPECT_EQ(g_TimeCaps.wPeriodMin, c.min_period);
    if (c.warns)
      EXPECT_EQ(boxes_.boxes, (std::vector<RecordedBox>{{"ﾏﾙﾁﾒﾃﾞｨ高精度ﾀｲﾏｰが使用できません！",
                                                         "CMIDI::mf_TimerInitialize()",
                                                         MB_ICONEXCLAMATION}}));
    else
      EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_EQ(clock.OpenPeriodRequests(), c.periods_held);
    TimerRelease();
    EXPECT_EQ(clock.OpenPeriodRequests(), 0);
    TimerRelease();  // a second release gives back nothing more
    g_Platform.timers = &clock_;
  }
}

TEST_F(TimersTest, PostsWithoutAQueueAreDropped) {
  g_Platform.queue = nullptr;
  EXPECT_FALSE(PostToView(WM_STROKE_STEP, 0, 0));
  g_Platform.queue = &clock_;
  EXPECT_TRUE(PostToView(WM_STROKE_STEP, 0, 0));
}

}  // namespace
