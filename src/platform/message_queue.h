// The queue of messages to the view, drained by the user-interface thread's
// message loop. Posting is safe from any thread.
#pragma once

#include <cstdint>

#include "platform/messages.h"

class MessageQueue {
 public:
  virtual ~MessageQueue() = default;
  // Appends a message; false (and the message is dropped) when the queue is full.
  virtual bool Post(const Message& m) = 0;
  // An ordinary window timer: WM_TIMER with wParam = id every ms milliseconds,
  // delivered through the queue like any message. Setting it again restarts it.
  virtual void SetWindowTimer(uint32_t id, uint32_t ms) = 0;
  virtual void KillWindowTimer(uint32_t id) = 0;
};
