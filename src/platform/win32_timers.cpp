#include "platform/win32_timers.h"

#include <chrono>
#include <vector>

#include "platform/timer_os.h"
#include "platform/win32_api.h"

namespace {

int64_t SteadyNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Set while a callback runs on the system's timer thread.
thread_local bool t_InCallback = false;

void CALLBACK Fire(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  const auto* timer = reinterpret_cast<const WinMmTimers::Timer*>(user);
  if (timer->killed.load()) return;
  t_InCallback = true;
  timer->proc(id, timer->user);
  t_InCallback = false;
}

}  // namespace

WinMmTimers::WinMmTimers() : m_StartNs(SteadyNs()) {}

WinMmTimers::~WinMmTimers() {
  std::vector<uint32_t> ids;
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (const auto& [id, timer] : m_Timers) ids.push_back(id);
  }
  for (uint32_t id : ids) KillEvent(id);
  // A timer a callback stopped may yet be called once, whenever the system
  // gets to it: its few bytes are left to the process rather than freed.
  for (std::unique_ptr<Timer>& timer : m_Retired) static_cast<void>(timer.release());
}

int WinMmTimers::GetDevCaps(TimeCaps* caps) {
  if (caps == nullptr) return 1;
  TIMECAPS tc{};
  if (timeGetDevCaps(&tc, sizeof tc) != TIMERR_NOERROR) return 1;
  *caps = TimeCaps{tc.wPeriodMin, tc.wPeriodMax};
  return 0;
}

int WinMmTimers::BeginPeriod(uint32_t ms) { return BeginTimerResolution(ms); }

int WinMmTimers::EndPeriod(uint32_t ms) { return EndTimerResolution(ms); }

uint32_t WinMmTimers::SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc,
                               uintptr_t user, bool periodic) {
  if (proc == nullptr || delay_ms == 0) return 0;
  auto timer = std::make_unique<Timer>();
  timer->proc = proc;
  timer->user = user;
  // TIME_KILL_SYNCHRONOUS: no callback runs once timeKillEvent has returned.
  const UINT flags = (periodic ? TIME_PERIODIC : TIME_ONESHOT) | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS;
  // Started outside the lock, which a running callback may be waiting for.
  const UINT id = timeSetEvent(delay_ms, resolution_ms, Fire, reinterpret_cast<DWORD_PTR>(timer.get()), flags);
  if (id == 0) return 0;
  std::lock_guard<std::mutex> lock(m_Mutex);
  // An identifier comes back once its one-shot timer has fired: that record is done.
  m_Timers[id] = std::move(timer);
  return id;
}

int WinMmTimers::KillEvent(uint32_t id) {
  std::unique_ptr<Timer> timer;
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    auto it = m_Timers.find(id);
    if (it == m_Timers.end()) return 1;
    timer = std::move(it->second);
    m_Timers.erase(it);
  }
  timer->killed = true;
  // Outside the lock: a callback that is running may start or stop a timer.
  // A one-shot timer that has fired is already gone for the system.
  const MMRESULT result = timeKillEvent(id);
  // From another thread the kill waited for a running callback, and none
  // follows; from a callback, one more may come.
  if (t_InCallback) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Retired.push_back(std::move(timer));
  }
  return result == TIMERR_NOERROR ? 0 : 1;
}

void WinMmTimers::Sleep(uint32_t ms) { SleepMilliseconds(ms); }

int64_t WinMmTimers::NowMs() const { return (SteadyNs() - m_StartNs) / 1000000; }
