#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Everything that happens, in order: "A@20" a callback of timer A at 20 ms,
// "m7@20" message 7 delivered at 20 ms, "idle@20" the idle hook.
struct Log {
  VirtualClock* clock = nullptr;
  std::vector<std::string> lines;
  void Add(const std::string& what) { lines.push_back(what + "@" + std::to_string(clock->NowMs())); }
};
Log* g_log = nullptr;

// The user value of a timer is its letter; each callback also posts its letter.
void RecordAndPost(uint32_t /*id*/, uintptr_t user) {
  g_log->Add(std::string(1, static_cast<char>(user)));
  g_log->clock->Post({static_cast<uint32_t>(user), 0, 0});
}

class VirtualClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_.clock = &clock_;
    g_log = &log_;
    clock_.SetHandler([this](const Message& m) {
      if (m.msg == WM_TIMER)
        log_.Add("T" + std::to_string(m.wParam));
      else
        log_.Add("m" + std::string(1, static_cast<char>(m.msg)));
      if (on_message_) on_message_(m);
    });
  }
  void TearDown() override { g_log = nullptr; }

  uint32_t Start(char name, uint32_t ms, bool periodic = true) {
    return clock_.SetEvent(ms, 1, RecordAndPost, static_cast<uintptr_t>(name), periodic);
  }

  VirtualClock clock_;
  Log log_;
  std::function<void(const Message&)> on_message_;
};

using Lines = std::vector<std::string>;

TEST_F(VirtualClockTest, TimersFireAPeriodAfterTheirStartInStartOrderBeforeTheirMessages) {
  clock_.Advance(7);
  Start('B', 30);  // started first: fires first at a shared instant, despite the longer period
  Start('A', 20);
  clock_.Advance(19);
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_EQ(clock_.NowMs(), 26);
  clock_.Advance(41);  // the target instant itself is included
  EXPECT_EQ(log_.lines, (Lines{"A@27", "mA@27", "B@37", "mB@37", "A@47", "mA@47", "B@67", "A@67",
                               "mB@67", "mA@67"}));
  EXPECT_EQ(clock_.NowMs(), 67);
}

TEST_F(VirtualClockTest, SleepInAHandlerFiresCallbacksButDeliversAfterItEvenPastTheAdvance) {
  Start('A', 20);
  Start('B', 30);
  bool slept = false;
  on_message_ = [&](const Message& m) {
    if (m.msg == 'A' && !slept) {
      slept = true;
      clock_.Sleep(25);  // 20 -> 45
      log_.Add("woke");
    }
  };
  clock_.Advance(30);
  EXPECT_EQ(log_.lines, (Lines{"A@20", "mA@20", "B@30", "A@40", "woke@45", "mB@45", "mA@45"}));
  EXPECT_EQ(clock_.NowMs(), 45) << "time stays where the sleep ended";
}

TEST_F(VirtualClockTest, MessagesPostedWhileDeliveringArriveInTheSameRound) {
  Start('A', 10);
  on_message_ = [&](const Message& m) {
    if (m.msg == 'A') clock_.Post({'Z', 0, 0});
  };
  clock_.SetIdleHook([&] { log_.Add("idle"); });
  clock_.Advance(20);
  EXPECT_EQ(log_.lines, (Lines{"A@10", "mA@10", "mZ@10", "idle@10", "A@20", "mA@20", "mZ@20",
                               "idle@20"}));
}

TEST_F(VirtualClockTest, KilledAndOneShotTimersFireNoMoreAndRefusedStartsGiveZero) {
  const uint32_t a = Start('A', 10);
  const uint32_t b = clock_.SetEvent(20, 1, [](uint32_t, uintptr_t) { g_log->Add("B"); }, 0, true);
  clock_.SetEvent(20, 1, [](uint32_t, uintptr_t) { g_log->Add("C"); }, 0, true);
  Start('O', 15, false);
  clock_.Advance(10);
  EXPECT_EQ(clock_.KillEvent(a), 0);
  EXPECT_EQ(clock_.KillEvent(a), 1);  // already gone
  EXPECT_EQ(clock_.KillEvent(b), 0);
  clock_.Advance(30);
  EXPECT_EQ(log_.lines, (Lines{"A@10", "mA@10", "O@15", "mO@15", "C@20", "C@40"}));
  EXPECT_EQ(clock_.RunningTimerCount(), 1u);

  EXPECT_EQ(clock_.SetEvent(0, 1, RecordAndPost, 'A', true), 0u);
  EXPECT_EQ(clock_.SetEvent(5, 1, nullptr, 'A', true), 0u);
  clock_.SetFailStarts(true);
  EXPECT_EQ(Start('A', 5), 0u);
  clock_.SetFailStarts(false);
  EXPECT_NE(Start('A', 5), 0u);
}

uint32_t g_victim = 0;
VirtualClock* g_clock_for_kill = nullptr;

TEST_F(VirtualClockTest, ACallbackStoppingALaterTimerOfTheSameInstantSilencesIt) {
  g_clock_for_kill = &clock_;
  clock_.SetEvent(
      10, 1,
      [](uint32_t, uintptr_t) {
        g_log->Add("K");
        g_clock_for_kill->KillEvent(g_victim);
      },
      0, true);
  g_victim = Start('V', 10);
  clock_.Advance(20);
  EXPECT_EQ(log_.lines, (Lines{"K@10", "K@20"}));
  EXPECT_EQ(clock_.RunningTimerCount(), 1u);
}

TEST_F(VirtualClockTest, PostsWaitForDeliveryWhichTakesNoTimeAndAFullQueueDrops) {
  clock_.Advance(3);
  for (size_t i = 0; i < VirtualClock::kQueueCapacity; ++i) ASSERT_TRUE(clock_.Post({'X', 0, 0}));
  EXPECT_FALSE(clock_.Post({'Y', 0, 0}));
  EXPECT_EQ(clock_.PendingCount(), VirtualClock::kQueueCapacity);
  clock_.DeliverPending();
  EXPECT_EQ(log_.lines, Lines(VirtualClock::kQueueCapacity, "mX@3"));
  EXPECT_EQ(clock_.PendingCount(), 0u);
  EXPECT_TRUE(clock_.Post({'Y', 0, 0}));
}

}  // namespace
