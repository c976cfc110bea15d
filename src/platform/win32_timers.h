// The timer service of the program on Windows: the multimedia timers
// (timeSetEvent), whose callbacks run on the system's timer thread at the
// period asked, and the timer resolution of the whole process.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/timer_service.h"

class WinMmTimers : public TimerService {
 public:
  WinMmTimers();
  // Stops every timer; must not run on the timer thread.
  ~WinMmTimers() override;
  WinMmTimers(const WinMmTimers&) = delete;
  WinMmTimers& operator=(const WinMmTimers&) = delete;

  int GetDevCaps(TimeCaps* caps) override;
  int BeginPeriod(uint32_t ms) override;
  int EndPeriod(uint32_t ms) override;
  uint32_t SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc, uintptr_t user,
                    bool periodic) override;
  // Once it returns the callback never runs again (a callback may stop its
  // own timer).
  int KillEvent(uint32_t id) override;
  void Sleep(uint32_t ms) override;
  int64_t NowMs() const override;

  struct Timer {
    TimerProc proc;
    uintptr_t user;
    std::atomic<bool> killed{false};
  };

 private:
  const int64_t m_StartNs;
  std::mutex m_Mutex;
  std::map<uint32_t, std::unique_ptr<Timer>> m_Timers;  // keyed by the system's identifier
  // Timers a callback stopped: the system may still call them once more (and
  // the callback finds them stopped), so they are never freed.
  std::vector<std::unique_ptr<Timer>> m_Retired;
};
