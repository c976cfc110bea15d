// Dispatch of posted messages on the user-interface thread.
#include "platform/message_loop.h"

#include <utility>

#include "platform/posted_queue.h"

void MessageLoop::SetHandler(uint32_t msg, MessageHandler handler) {
  m_Handlers[msg] = std::move(handler);
}

void MessageLoop::SetDefaultHandler(MessageHandler handler) { m_Default = std::move(handler); }

void MessageLoop::SetIdleHook(std::function<void()> hook) { m_Idle = std::move(hook); }

void MessageLoop::Dispatch(const Message& m) const {
  auto it = m_Handlers.find(m.msg);
  if (it != m_Handlers.end() && it->second) {
    it->second(m);
    return;
  }
  if (m_Default) m_Default(m);
}

int MessageLoop::Run(PostedQueue& queue) const {
  Message m;
  while (queue.GetMessage(&m)) {
    Dispatch(m);
    if (m_Idle && queue.Size() == 0) m_Idle();
  }
  return 0;
}

int MessageLoop::DrainPending(PostedQueue& queue) const {
  int count = 0;
  Message m;
  while (queue.PeekMessage(&m)) {
    Dispatch(m);
    ++count;
  }
  if (count > 0 && m_Idle) m_Idle();
  return count;
}
