#include <chrono>

#include "platform/timer_os.h"
#include "platform/win32_api.h"

// The multimedia timer thread of Windows runs above every ordinary thread; so
// does ours, so that a busy user-interface thread does not delay a tick.
void PrepareTimerThread() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL); }

int BeginTimerResolution(uint32_t ms) { return timeBeginPeriod(ms) == TIMERR_NOERROR ? 0 : 1; }

int EndTimerResolution(uint32_t ms) { return timeEndPeriod(ms) == TIMERR_NOERROR ? 0 : 1; }

void SleepMilliseconds(uint32_t ms) {
  // Sleep may end a little early or late by the timer resolution; the wait
  // is measured on the monotonic clock and made up until its end.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    // Rounded up: a sleep never ends before its time.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) break;
    Sleep(static_cast<DWORD>(left));
  }
}
