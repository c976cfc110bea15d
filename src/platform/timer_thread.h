// The real timer service: one thread that runs every periodic timer's
// callback at absolute deadlines on the monotonic clock, so periods never drift.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

#include "platform/timer_service.h"

class TimerThread : public TimerService {
 public:
  static constexpr uint32_t kMinPeriodMs = 1;
  static constexpr uint32_t kMaxPeriodMs = 1000000;

  TimerThread();
  // Stops every timer and joins the thread; must not run on the timer thread.
  ~TimerThread() override;
  TimerThread(const TimerThread&) = delete;
  TimerThread& operator=(const TimerThread&) = delete;

  int GetDevCaps(TimeCaps* caps) override;
  // The system's timer resolution, where it has to be asked for.
  int BeginPeriod(uint32_t ms) override;
  int EndPeriod(uint32_t ms) override;
  uint32_t SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc, uintptr_t user,
                    bool periodic) override;
  // Once it returns the callback never runs again. Called from inside a
  // callback it does not wait for that callback (which is the caller) to end.
  int KillEvent(uint32_t id) override;
  void Sleep(uint32_t ms) override;
  int64_t NowMs() const override;

 private:
  struct Timer {
    int64_t due_ns;     // absolute, monotonic clock
    int64_t period_ns;
    TimerProc proc;
    uintptr_t user;
    bool periodic;
  };

  void Run();

  const int64_t m_StartNs;
  std::mutex m_Mutex;
  std::condition_variable m_Wake;      // a timer was added or the thread must stop
  std::condition_variable m_Finished;  // the running callback returned
  std::map<uint32_t, Timer> m_Timers;  // keyed by start order
  uint32_t m_NextId = 1;
  uint32_t m_RunningId = 0;  // timer whose callback runs now, 0 none
  bool m_Stopping = false;
  std::thread m_Thread;
};

// Nanoseconds of the monotonic clock (the clock every deadline is measured on).
int64_t MonotonicNs();
