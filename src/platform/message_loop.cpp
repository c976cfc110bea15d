// Dispatch of posted messages on the user-interface thread.
#include "platform/message_loop.h"

#include <utility>

#include "platform/posted_queue.h"

void MessageLoop::SetHandler(uint32_t msg, MessageHandler handler) {
  handlers_[msg] = std::move(handler);
}

void MessageLoop::SetDefaultHandler(MessageHandler handler) { default_ = std::move(handler); }

void MessageLoop::SetIdleHook(std::function<void()> hook) { idle_ = std::move(hook); }

void MessageLoop::Dispatch(const Message& m) const {
  auto it = handlers_.find(m.msg);
  if (it != handlers_.end() && it->second) {
    it->second(m);
    return;
  }
  if (default_) default_(m);
}

int MessageLoop::Run(PostedQueue& queue) const {
  Message m;
  while (queue.GetMessage(&m)) {
    Dispatch(m);
    if (idle_ && queue.Size() == 0) idle_();
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
  if (count > 0 && idle_) idle_();
  return count;
}
