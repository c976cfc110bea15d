// Virtual time for tests and offline rendering: the timer service and the
// message queue in one, driven by Advance() instead of a clock, to the millisecond.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/message_queue.h"
#include "platform/timer_service.h"

// Acts as the timer thread and the user-interface thread's message loop at
// once. At every instant the callbacks due then fire in the order their timers
// were started; then every posted message is delivered to the handler in post
// order (including what the handlers post meanwhile) before time moves on.
// Used from one thread only.
class VirtualClock : public TimerService, public MessageQueue {
 public:
  using Handler = std::function<void(const Message&)>;
  using IdleHook = std::function<void()>;

  // Largest number of messages waiting at once; posts beyond it are dropped,
  // as a full window-system queue drops them.
  static constexpr size_t kQueueCapacity = 10000;
  static constexpr uint32_t kMaxPeriodMs = 1000000;

  VirtualClock();

  // Receives every delivered message. Without a handler messages are dropped
  // on delivery.
  void SetHandler(Handler handler);
  // Runs after every round in which at least one message was delivered, as a
  // message loop goes idle (painting, pointer checks).
  void SetIdleHook(IdleHook hook);

  // Delivers what is waiting, then moves time forward by ms, firing every
  // callback due up to and including the new time and delivering the
  // messages of each instant before the next.
  void Advance(int64_t ms);
  // Delivers the waiting messages now, without moving time.
  void DeliverPending();
  size_t PendingCount() const { return m_Pending.size(); }
  // Number of timers and window timers now running.
  size_t RunningTimerCount() const { return m_Timers.size(); }

  // Test knobs: the capabilities GetDevCaps reports, and a timer service that
  // refuses every new timer.
  void SetCaps(const TimeCaps& caps) { m_Caps = caps; }
  void SetFailStarts(bool fail) { m_FailStarts = fail; }
  // Period requests not yet released (BeginPeriod minus EndPeriod).
  int OpenPeriodRequests() const { return m_OpenPeriods; }

  // TimerService
  int GetDevCaps(TimeCaps* caps) override;
  int BeginPeriod(uint32_t ms) override;
  int EndPeriod(uint32_t ms) override;
  uint32_t SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc, uintptr_t user,
                    bool periodic) override;
  int KillEvent(uint32_t id) override;
  // Moves time forward like a blocked user-interface thread: callbacks that
  // fall due fire (and post), but nothing is delivered until the caller returns
  // to the loop.
  void Sleep(uint32_t ms) override;
  int64_t NowMs() const override { return m_Now; }

  // MessageQueue
  bool Post(const Message& m) override;
  void SetWindowTimer(uint32_t id, uint32_t ms) override;
  void KillWindowTimer(uint32_t id) override;

 private:
  struct Timer {
    int64_t due;        // ms of the next callback
    uint32_t period;    // ms
    TimerProc proc;     // null for a window timer
    uintptr_t user;
    bool periodic;
    uint32_t window_id;  // WM_TIMER's wParam for a window timer
  };

  // Fires every timer due at the earliest instant not after limit and moves
  // time there; false when nothing falls due up to limit.
  bool FireNextInstant(int64_t limit);
  void DeliverRound();

  // Keyed by start order: a restarted timer goes to the back.
  std::map<uint32_t, Timer> m_Timers;
  std::deque<Message> m_Pending;
  Handler m_Handler;
  IdleHook m_Idle;
  int64_t m_Now = 0;
  uint32_t m_NextId = 1;
  TimeCaps m_Caps;
  bool m_FailStarts = false;
  int m_OpenPeriods = 0;
};
