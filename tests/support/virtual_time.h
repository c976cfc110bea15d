// A virtual clock installed as the timer service and the message queue of
// g_Platform for its lifetime; the previous ones come back after.
#pragma once

#include "platform/platform.h"
#include "platform/virtual_clock.h"

class VirtualTime : public VirtualClock {
 public:
  VirtualTime() : timers_(g_Platform.timers), queue_(g_Platform.queue) {
    g_Platform.timers = this;
    g_Platform.queue = this;
  }
  ~VirtualTime() override {
    g_Platform.timers = timers_;
    g_Platform.queue = queue_;
  }
  VirtualTime(const VirtualTime&) = delete;
  VirtualTime& operator=(const VirtualTime&) = delete;

 private:
  TimerService* timers_;
  MessageQueue* queue_;
};
