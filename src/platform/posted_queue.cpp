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
  std::lock_guard<std::mutex> lock(m_Mutex);
  if (m_Messages.size() >= kCapacity) return false;
  m_Messages.push_back(m);
  m_Posted.notify_one();
  return true;
}

void PostedQueue::SetWindowTimer(uint32_t id, uint32_t ms) {
  if (ms < kMinWindowTimerMs) ms = kMinWindowTimerMs;
  const int64_t period = static_cast<int64_t>(ms) * kNsPerMs;
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (auto it = m_WindowTimers.begin(); it != m_WindowTimers.end(); ++it) {
      if (it->id == id) {
        m_WindowTimers.erase(it);
        break;
      }
    }
    m_WindowTimers.push_back({id, period, MonotonicNs() + period});
    m_Posted.notify_one();
  }
}

void PostedQueue::KillWindowTimer(uint32_t id) {
  std::lock_guard<std::mutex> lock(m_Mutex);
  for (auto it = m_WindowTimers.begin(); it != m_WindowTimers.end(); ++it) {
    if (it->id == id) {
      m_WindowTimers.erase(it);
      return;
    }
  }
}

bool PostedQueue::TakeLocked(Message* out, int64_t now_ns) {
  if (!m_Messages.empty()) {
    *out = m_Messages.front();
    m_Messages.pop_front();
    return true;
  }
  // Window timers speak only when the queue is empty, and a late one does not
  // repeat to catch up: its next period starts now.
  for (WindowTimer& t : m_WindowTimers) {
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
  for (const WindowTimer& t : m_WindowTimers)
    if (next < 0 || t.due_ns < next) next = t.due_ns;
  return next;
}

bool PostedQueue::GetMessage(Message* out) {
  std::unique_lock<std::mutex> lock(m_Mutex);
  for (;;) {
    if (TakeLocked(out, MonotonicNs())) return true;
    if (m_Quit) return false;
    const int64_t next = NextWindowTimerLocked();
    if (next < 0)
      m_Posted.wait(lock);
    else
      m_Posted.wait_until(lock, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(next)));
  }
}

bool PostedQueue::PeekMessage(Message* out) {
  std::lock_guard<std::mutex> lock(m_Mutex);
  return TakeLocked(out, MonotonicNs());
}

void PostedQueue::Quit() {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Quit = true;
    m_Posted.notify_all();
  }
}

size_t PostedQueue::Size() const {
  std::lock_guard<std::mutex> lock(m_Mutex);
  return m_Messages.size();
}
