// Periodic timers whose callbacks run on a thread of their own, the blocking
// sleep of the user-interface thread, and the clock both go by. The program
// uses a real timer thread; tests and offline rendering use the virtual clock.
#pragma once

#include <cstdint>

struct TimeCaps {
  uint32_t wPeriodMin;  // ms
  uint32_t wPeriodMax;  // ms
};

// Runs on the timer thread (or inside VirtualClock::Advance); must only post
// messages and touch atomics.
using TimerProc = void (*)(uint32_t timer_id, uintptr_t user);

class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual int GetDevCaps(TimeCaps* caps) = 0;  // 0 on success
  virtual int BeginPeriod(uint32_t ms) = 0;    // 0 on success
  virtual int EndPeriod(uint32_t ms) = 0;
  // Starts a timer whose first callback comes delay_ms after the start, then
  // every delay_ms when periodic. Returns its identifier, 0 on failure.
  virtual uint32_t SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc,
                            uintptr_t user, bool periodic) = 0;
  // Stops a timer; once it returns the callback never runs again. 0 on success.
  virtual int KillEvent(uint32_t id) = 0;
  // Blocks the calling thread for ms milliseconds.
  virtual void Sleep(uint32_t ms) = 0;
  // Milliseconds since the service started; the time stamps of recorded output.
  virtual int64_t NowMs() const = 0;
};
