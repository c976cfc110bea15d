#include "platform/timer_os.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace {
constexpr long kNsPerMs = 1000000;
// Wake-up slack the kernel may add to the timer thread's waits (ns); the
// default 50 us would show as jitter on a 5 ms tick.
constexpr unsigned long kTimerSlackNs = 1000;
}  // namespace

void PrepareTimerThread() { prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0); }

int BeginTimerResolution(uint32_t) { return 0; }
int EndTimerResolution(uint32_t) { return 0; }

void SleepMilliseconds(uint32_t ms) {
  timespec until{};
  clock_gettime(CLOCK_MONOTONIC, &until);
  until.tv_sec += ms / 1000;
  until.tv_nsec += static_cast<long>(ms % 1000) * kNsPerMs;
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}
