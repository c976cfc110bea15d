// A thread-safe queue of messages to the view, with window timers, drained by
// the user-interface thread's message loop. Any thread may post.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/message_queue.h"

class PostedQueue : public MessageQueue {
 public:
  // Messages waiting at most; further posts are dropped, as a full
  // window-system queue drops them.
  static constexpr size_t kCapacity = 10000;

  bool Post(const Message& m) override;
  void SetWindowTimer(uint32_t id, uint32_t ms) override;
  void KillWindowTimer(uint32_t id) override;

  // Takes the next message, waiting for one; a due window timer yields
  // WM_TIMER when nothing else waits. False once Quit was called and the
  // queue is empty.
  bool GetMessage(Message* out);
  // Takes the next message if one is there (or a window timer is due).
  bool PeekMessage(Message* out);
  // Makes GetMessage return false once the waiting messages are taken.
  void Quit();
  size_t Size() const;

 private:
  struct WindowTimer {
    uint32_t id;
    int64_t period_ns;
    int64_t due_ns;  // monotonic clock
  };

  // With the lock held: the next message or due window timer, if any.
  bool TakeLocked(Message* out, int64_t now_ns);
  int64_t NextWindowTimerLocked() const;  // earliest due, -1 when none

  mutable std::mutex m_Mutex;
  std::condition_variable m_Posted;
  std::deque<Message> m_Messages;
  std::vector<WindowTimer> m_WindowTimers;
  bool m_Quit = false;
};
