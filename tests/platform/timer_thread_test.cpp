#include "platform/timer_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/reset.h"
#include "midi/timers.h"
#include "platform/message_loop.h"
#include "platform/platform.h"
#include "platform/posted_queue.h"

namespace {

// Counts callbacks and lets the test wait for a given count without sleeping.
struct Counter {
  std::mutex mutex;
  std::condition_variable changed;
  int count = 0;
  void Bump() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      ++count;
    }
    changed.notify_all();
  }
  void WaitFor(int n) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return count >= n; });
  }
};

TEST(TimerThreadTest, SlotCallbacksRunOnTheTimerThreadAndTheirPostsReachTheLoop) {
  ResetAllState();
  PostedQueue queue;  // outlives the timer thread that posts to it
  TimerThread timers;
  const Platform saved = g_Platform;
  g_Platform.timers = &timers;
  g_Platform.queue = &queue;

  int strokes = 0;
  MessageLoop loop;
  loop.SetHandler(WM_STROKE_STEP, [&](const Message&) {
    if (++strokes == 3) {
      StopTimer(kStrokeTimerSlot);
      queue.Quit();
    }
  });
  int others = 0;
  loop.SetDefaultHandler([&](const Message&) { ++others; });
  ASSERT_EQ(StartTimer(kStrokeTimerSlot), 0);
  EXPECT_EQ(loop.Run(queue), 0);
  EXPECT_GE(strokes, 3);  // posts made before the stop may still arrive
  EXPECT_EQ(g_TimerId[kStrokeTimerSlot], 0u);
  EXPECT_EQ(others, 0);
  g_Platform = saved;
  ResetAllState();
}

struct KillCheck {
  std::atomic<bool> killed{false};
  std::atomic<int> after_kill{0};
  Counter calls;
  Counter witness;
};
KillCheck* g_check = nullptr;

TEST(TimerThreadTest, NoCallbackRunsAfterKillEventReturns) {
  KillCheck check;
  g_check = &check;
  TimerThread timers;
  const uint32_t victim = timers.SetEvent(
      1, 1,
      [](uint32_t, uintptr_t) {
        if (g_check->killed) ++g_check->after_kill;
        g_check->calls.Bump();
        // Still inside the callback: the kill must wait for this to end.
        if (g_check->killed) ++g_check->after_kill;
      },
      0, true);
  ASSERT_NE(victim, 0u);
  check.calls.WaitFor(5);
  EXPECT_EQ(timers.KillEvent(victim), 0);
  check.killed = true;
  // A second 1 ms timer started now: once it has fired a few times the
  // thread has passed every deadline the stopped one would have had.
  ASSERT_NE(timers.SetEvent(1, 1, [](uint32_t, uintptr_t) { g_check->witness.Bump(); }, 0, true), 0u);
  check.witness.WaitFor(5);
  EXPECT_EQ(check.after_kill.load(), 0);
  EXPECT_EQ(timers.KillEvent(victim), 1);
}

struct Straddle {
  std::atomic<bool> entered{false};
  std::atomic<bool> kill_called{false};
  std::atomic<bool> exited{false};
};
Straddle* g_straddle = nullptr;

TEST(TimerThreadTest, KillEventWaitsForTheCallbackThatIsRunning) {
  Straddle st;
  g_straddle = &st;
  TimerThread timers;
  // One-shot: its callback runs after it has left the timer table, which is
  // where a kill could mistake it for finished.
  const uint32_t id = timers.SetEvent(
      1, 1,
      [](uint32_t, uintptr_t) {
        g_straddle->entered = true;
        while (!g_straddle->kill_called) std::this_thread::yield();
        // Linger so that a kill which does not wait returns before we end.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        g_straddle->exited = true;
      },
      0, false);
  ASSERT_NE(id, 0u);
  while (!st.entered) std::this_thread::yield();
  st.kill_called = true;
  EXPECT_EQ(timers.KillEvent(id), 0);
  EXPECT_TRUE(st.exited);
}

struct SelfKill {
  TimerThread* timers = nullptr;
  std::atomic<int> result{-1};
  Counter done;
};
SelfKill* g_self = nullptr;

TEST(TimerThreadTest, ACallbackMayStopItsOwnTimerWithoutDeadlock) {
  TimerThread timers;
  SelfKill self;
  self.timers = &timers;
  g_self = &self;
  const uint32_t id = timers.SetEvent(
      2, 1,
      [](uint32_t id, uintptr_t) {
        if (g_self->result != -1) return;
        g_self->result = g_self->timers->KillEvent(id);
        g_self->done.Bump();
      },
      0, true);
  ASSERT_NE(id, 0u);
  self.done.WaitFor(1);
  EXPECT_EQ(self.result.load(), 0);
  timers.KillEvent(id);  // waits while the callback is still returning
  EXPECT_EQ(timers.KillEvent(id), 1);
}

TEST(TimerThreadTest, RefusesWhatTheServiceCannotRun) {
  TimerThread timers;
  TimeCaps caps{};
  ASSERT_EQ(timers.GetDevCaps(&caps), 0);
  EXPECT_EQ(caps.wPeriodMin, 1u);
  EXPECT_EQ(timers.BeginPeriod(1), 0);
  EXPECT_EQ(timers.EndPeriod(1), 0);
  EXPECT_NE(timers.BeginPeriod(0), 0);
  EXPECT_EQ(timers.SetEvent(0, 1, [](uint32_t, uintptr_t) {}, 0, true), 0u);
  EXPECT_EQ(timers.SetEvent(5, 1, nullptr, 0, true), 0u);
  EXPECT_NE(timers.KillEvent(12345), 0);
}

TEST(TimerThreadTest, DestroyingTheServiceStopsRunningTimers) {
  static Counter ticks;
  {
    TimerThread timers;
    ASSERT_NE(timers.SetEvent(1, 1, [](uint32_t, uintptr_t) { ticks.Bump(); }, 0, true), 0u);
    ticks.WaitFor(2);
  }
  SUCCEED();
}

}  // namespace
