// Posted messages and window timers of the real message loop.
#include "platform/posted_queue.h"

#include <chrono>

#include "platform/timer_thread.h"

namespace {
constexpr int64_t kNsPerMs = 1000000;
// The window system never runs a window timer faster than this (ms).
constexpr uint32_t kMinWindowTimerMs = 10;
}  // namespace

bool PostedQueue::Post(const Message& m) {
  // Notified under the lock: once the loop has taken the message it may end
  // and destroy the queue, and the poster must be done with it by then.
  std::lock_guard<std::mutex> lock(mutex_);
  if (messages_.size() >= kCapacity) return false;
  messages_.push_back(m);
  posted_.notify_one();
  return true;
}

void PostedQueue::SetWindowTimer(uint32_t id, uint32_t ms) {
  if (ms < kMinWindowTimerMs) ms = kMinWindowTimerMs;
  const int64_t period = static_cast<int64_t>(ms) * kNsPerMs;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = window_timers_.begin(); it != window_timers_.end(); ++it) {
      if (it->id == id) {
        window_timers_.erase(it);
        break;
      }
    }
    window_timers_.push_back({id, period, MonotonicNs() + period});
    posted_.notify_one();
  }
}

void PostedQueue::KillWindowTimer(uint32_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = window_timers_.begin(); it != window_timers_.end(); ++it) {
    if (it->id == id) {
      window_timers_.erase(it);
      return;
    }
  }
}

bool PostedQueue::TakeLocked(Message* out, int64_t now_ns) {
  if (!messages_.empty()) {
    *out = messages_.front();
    messages_.pop_front();
    return true;
  }
  // Window timers speak only when the queue is empty, and a late one does not
  // repeat to catch up: its next period starts now.
  for (WindowTimer& t : window_timers_) {
    if (t.due_ns <= now_ns) {
      t.due_ns = now_ns + t.period_ns;
      *out = Message{WM_TIMER, static_cast<WPARAM>(t.id), 0};
      return true;
    }
  }
  return false;
}

int64_t PostedQueue::NextWindowTimerLocked() const {
  int64_t next = -1;
  for (const WindowTimer& t : window_timers_)
    if (next < 0 || t.due_ns < next) next = t.due_ns;
  return next;
}

bool PostedQueue::GetMessage(Message* out) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (TakeLocked(out, MonotonicNs())) return true;
    if (quit_) return false;
    const int64_t next = NextWindowTimerLocked();
    if (next < 0)
      posted_.wait(lock);
    else
      posted_.wait_until(lock, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(next)));
  }
}

bool PostedQueue::PeekMessage(Message* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  return TakeLocked(out, MonotonicNs());
}

void PostedQueue::Quit() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    posted_.notify_all();
  }
}

size_t PostedQueue::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return messages_.size();
}
