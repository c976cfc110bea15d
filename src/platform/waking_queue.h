// The posted-message queue of the program on the desktop: posting also wakes
// the window's message wait, so timer messages are handled at once. Window is
// the real window of the system (anything with a Wake() callable from any
// thread).
#pragma once

#include "platform/message_queue.h"
#include "platform/posted_queue.h"

template <class Window>
class WakingQueue : public MessageQueue {
 public:
  explicit WakingQueue(Window* window) : m_Window(window) {}
  bool Post(const Message& m) override {
    const bool ok = m_Queue.Post(m);
    if (ok && m_Window) m_Window->Wake();
    return ok;
  }
  void SetWindowTimer(uint32_t id, uint32_t ms) override { m_Queue.SetWindowTimer(id, ms); }
  void KillWindowTimer(uint32_t id) override { m_Queue.KillWindowTimer(id); }
  PostedQueue& queue() { return m_Queue; }

 private:
  Window* m_Window;
  PostedQueue m_Queue;
};
