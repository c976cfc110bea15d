// One timer thread for every periodic timer. Deadlines are absolute: the n-th
// callback of a timer is due at start + n * period, however late the last was.
#include "platform/timer_thread.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <chrono>
#include <vector>

namespace {
constexpr int64_t kNsPerMs = 1000000;
// Wake-up slack the kernel may add to the timer thread's waits (ns); the
// default 50 us would show as jitter on a 5 ms tick.
constexpr unsigned long kTimerSlackNs = 1000;
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

TimerThread::TimerThread() : start_ns_(MonotonicNs()), thread_([this] { Run(); }) {}

TimerThread::~TimerThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    timers_.clear();
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

int TimerThread::GetDevCaps(TimeCaps* caps) {
  if (caps == nullptr) return 1;
  *caps = TimeCaps{kMinPeriodMs, kMaxPeriodMs};
  return 0;
}

int TimerThread::BeginPeriod(uint32_t ms) { return ms >= kMinPeriodMs && ms <= kMaxPeriodMs ? 0 : 1; }

int TimerThread::EndPeriod(uint32_t ms) { return ms >= kMinPeriodMs && ms <= kMaxPeriodMs ? 0 : 1; }

uint32_t TimerThread::SetEvent(uint32_t delay_ms, uint32_t /*resolution_ms*/, TimerProc proc,
                               uintptr_t user, bool periodic) {
  if (proc == nullptr || delay_ms < kMinPeriodMs || delay_ms > kMaxPeriodMs) return 0;
  const int64_t period_ns = static_cast<int64_t>(delay_ms) * kNsPerMs;
  uint32_t id;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return 0;
    id = next_id_++;
    timers_[id] = Timer{MonotonicNs() + period_ns, period_ns, proc, user, periodic};
  }
  wake_.notify_all();
  return id;
}

int TimerThread::KillEvent(uint32_t id) {
  std::unique_lock<std::mutex> lock(mutex_);
  // A one-shot timer has left the table while its callback runs; it still
  // counts as running until that callback has returned.
  if (timers_.erase(id) == 0 && running_id_ != id) return 1;
  // A callback of this timer may be running right now; wait for it so that
  // none runs after we return, unless we are that callback.
  if (std::this_thread::get_id() != thread_.get_id())
    finished_.wait(lock, [&] { return running_id_ != id; });
  return 0;
}

void TimerThread::Sleep(uint32_t ms) {
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

int64_t TimerThread::NowMs() const { return (MonotonicNs() - start_ns_) / kNsPerMs; }

void TimerThread::Run() {
  prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0);
  std::vector<uint32_t> due_ids;
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    if (timers_.empty()) {
      wake_.wait(lock);
      continue;
    }
    int64_t next = timers_.begin()->second.due_ns;
    for (const auto& [id, t] : timers_)
      if (t.due_ns < next) next = t.due_ns;
    const int64_t now = MonotonicNs();
    if (next > now) {
      // Absolute deadline: a wake-up that comes late does not shift the next.
      wake_.wait_until(lock, ToTimePoint(next));
      continue;
    }

    // Callbacks due now run in the order their timers were started.
    due_ids.clear();
    for (const auto& [id, t] : timers_)
      if (t.due_ns <= now) due_ids.push_back(id);
    for (uint32_t id : due_ids) {
      auto it = timers_.find(id);
      if (it == timers_.end()) continue;  // stopped by an earlier callback
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
        timers_.erase(it);
      }
      running_id_ = id;
      lock.unlock();
      proc(id, user);
      lock.lock();
      running_id_ = 0;
      finished_.notify_all();
      if (stopping_) break;
    }
  }
}
