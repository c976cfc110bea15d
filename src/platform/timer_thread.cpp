// One timer thread for every periodic timer. Deadlines are absolute: the n-th
// callback of a timer is due at start + n * period, however late the last was.
#include "platform/timer_thread.h"

#include <chrono>
#include <vector>

#include "platform/timer_os.h"

namespace {
constexpr int64_t kNsPerMs = 1000000;
// How far a periodic timer may fall behind and still make up every missed
// callback at once (ns); a longer stall (a suspended process) is skipped.
constexpr int64_t kMaxCatchUpNs = 100 * kNsPerMs;

std::chrono::steady_clock::time_point ToTimePoint(int64_t ns) {
  return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns));
}
}  // namespace

int64_t MonotonicNs() {
  // steady_clock is CLOCK_MONOTONIC, the clock the condition variable waits on.
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

TimerThread::TimerThread() : m_StartNs(MonotonicNs()), m_Thread([this] { Run(); }) {}

TimerThread::~TimerThread() {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Stopping = true;
    m_Timers.clear();
  }
  m_Wake.notify_all();
  if (m_Thread.joinable()) m_Thread.join();
}

int TimerThread::GetDevCaps(TimeCaps* caps) {
  if (caps == nullptr) return 1;
  *caps = TimeCaps{kMinPeriodMs, kMaxPeriodMs};
  return 0;
}

int TimerThread::BeginPeriod(uint32_t ms) {
  return ms >= kMinPeriodMs && ms <= kMaxPeriodMs ? BeginTimerResolution(ms) : 1;
}

int TimerThread::EndPeriod(uint32_t ms) {
  return ms >= kMinPeriodMs && ms <= kMaxPeriodMs ? EndTimerResolution(ms) : 1;
}

uint32_t TimerThread::SetEvent(uint32_t delay_ms, uint32_t /*resolution_ms*/, TimerProc proc,
                               uintptr_t user, bool periodic) {
  if (proc == nullptr || delay_ms < kMinPeriodMs || delay_ms > kMaxPeriodMs) return 0;
  const int64_t period_ns = static_cast<int64_t>(delay_ms) * kNsPerMs;
  uint32_t id;
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_Stopping) return 0;
    id = m_NextId++;
    m_Timers[id] = Timer{MonotonicNs() + period_ns, period_ns, proc, user, periodic};
  }
  m_Wake.notify_all();
  return id;
}

int TimerThread::KillEvent(uint32_t id) {
  std::unique_lock<std::mutex> lock(m_Mutex);
  // A one-shot timer has left the table while its callback runs; it still
  // counts as running until that callback has returned.
  if (m_Timers.erase(id) == 0 && m_RunningId != id) return 1;
  // A callback of this timer may be running right now; wait for it so that
  // none runs after we return, unless we are that callback.
  if (std::this_thread::get_id() != m_Thread.get_id())
    m_Finished.wait(lock, [&] { return m_RunningId != id; });
  return 0;
}

void TimerThread::Sleep(uint32_t ms) { SleepMilliseconds(ms); }

int64_t TimerThread::NowMs() const { return (MonotonicNs() - m_StartNs) / kNsPerMs; }

void TimerThread::Run() {
  PrepareTimerThread();
  std::vector<uint32_t> due_ids;
  std::unique_lock<std::mutex> lock(m_Mutex);
  while (!m_Stopping) {
    if (m_Timers.empty()) {
      m_Wake.wait(lock);
      continue;
    }
    int64_t next = m_Timers.begin()->second.due_ns;
    for (const auto& [id, t] : m_Timers)
      if (t.due_ns < next) next = t.due_ns;
    const int64_t now = MonotonicNs();
    if (next > now) {
      // Absolute deadline: a wake-up that comes late does not shift the next.
      m_Wake.wait_until(lock, ToTimePoint(next));
      continue;
    }

    // Callbacks due now run in the order their timers were started.
    due_ids.clear();
    for (const auto& [id, t] : m_Timers)
      if (t.due_ns <= now) due_ids.push_back(id);
    for (uint32_t id : due_ids) {
      auto it = m_Timers.find(id);
      if (it == m_Timers.end()) continue;  // stopped by an earlier callback
      Timer& t = it->second;
      const TimerProc proc = t.proc;
      const uintptr_t user = t.user;
      if (t.periodic) {
        // Ordinary lateness is made up, so a 5 ms timer ticks exactly 200
        // times a second; after a long stall it rejoins its grid instead of
        // bursting.
        t.due_ns += t.period_ns;
        if (now - t.due_ns > kMaxCatchUpNs)
          t.due_ns += ((now - t.due_ns) / t.period_ns + 1) * t.period_ns;
      } else {
        m_Timers.erase(it);
      }
      m_RunningId = id;
      lock.unlock();
      proc(id, user);
      lock.lock();
      m_RunningId = 0;
      m_Finished.notify_all();
      if (m_Stopping) break;
    }
  }
}
