// The user-interface thread's message loop: takes posted messages and hands
// each to the handler the view registered for it.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>

#include "platform/messages.h"

class PostedQueue;

using MessageHandler = std::function<void(const Message&)>;

class MessageLoop {
 public:
  // The handler of one message number (the private messages 32008 to 32011
  // each get one); registered before the loop runs.
  void SetHandler(uint32_t msg, MessageHandler handler);
  // Every message without a handler of its own (the view's window procedure).
  void SetDefaultHandler(MessageHandler handler);
  // Runs whenever the queue has just been emptied (painting, pointer checks).
  void SetIdleHook(std::function<void()> hook);

  void Dispatch(const Message& m) const;
  // Dispatches every message until the queue is told to quit. Returns 0.
  int Run(PostedQueue& queue) const;
  // Dispatches what is waiting now, without blocking; returns how many.
  int DrainPending(PostedQueue& queue) const;

 private:
  std::unordered_map<uint32_t, MessageHandler> m_Handlers;
  MessageHandler m_Default;
  std::function<void()> m_Idle;
};
