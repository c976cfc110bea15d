// Virtual time: timers fire and messages are delivered only when told to.
#include "platform/virtual_clock.h"

#include <utility>
#include <vector>

namespace {
// The window system never runs a window timer faster than this (ms).
constexpr uint32_t kMinWindowTimerMs = 10;
}  // namespace

VirtualClock::VirtualClock() : caps_{1, kMaxPeriodMs} {}

void VirtualClock::SetHandler(Handler handler) { handler_ = std::move(handler); }

void VirtualClock::SetIdleHook(IdleHook hook) { idle_ = std::move(hook); }

void VirtualClock::Advance(int64_t ms) {
  if (ms < 0) ms = 0;
  const int64_t target = now_ + ms;
  DeliverPending();
  while (FireNextInstant(target)) DeliverPending();
  // A handler that slept may already have taken time past the target.
  if (now_ < target) now_ = target;
}

void VirtualClock::DeliverPending() {
  if (pending_.empty()) return;
  DeliverRound();
}

void VirtualClock::DeliverRound() {
  // What the handlers post is delivered in the same round, as a message loop
  // would pick it up before going idle.
  while (!pending_.empty()) {
    const Message m = pending_.front();
    pending_.pop_front();
    if (handler_) handler_(m);
  }
  if (idle_) idle_();
}

bool VirtualClock::FireNextInstant(int64_t limit) {
  bool any = false;
  int64_t when = 0;
  for (const auto& [id, t] : timers_) {
    if (!any || t.due < when) when = t.due;
    any = true;
  }
  if (!any || when > limit) return false;
  now_ = when;

  std::vector<uint32_t> due_ids;
  for (const auto& [id, t] : timers_)
    if (t.due == when) due_ids.push_back(id);
  for (uint32_t id : due_ids) {
    // An earlier callback of this instant may have stopped or restarted it.
    auto it = timers_.find(id);
    if (it == timers_.end() || it->second.due != when) continue;
    const Timer t = it->second;
    if (t.proc == nullptr) {
      it->second.due += t.period;
      Post({WM_TIMER, static_cast<WPARAM>(t.window_id), 0});
      continue;
    }
    if (t.periodic)
      it->second.due += t.period;
    else
      timers_.erase(it);
    t.proc(id, t.user);
  }
  return true;
}

int VirtualClock::GetDevCaps(TimeCaps* caps) {
  if (caps == nullptr) return 1;
  *caps = caps_;
  return 0;
}

int VirtualClock::BeginPeriod(uint32_t ms) {
  if (ms < caps_.wPeriodMin || ms > caps_.wPeriodMax) return 1;
  ++open_periods_;
  return 0;
}

int VirtualClock::EndPeriod(uint32_t ms) {
  if (ms < caps_.wPeriodMin || ms > caps_.wPeriodMax || open_periods_ == 0) return 1;
  --open_periods_;
  return 0;
}

uint32_t VirtualClock::SetEvent(uint32_t delay_ms, uint32_t /*resolution_ms*/, TimerProc proc,
                                uintptr_t user, bool periodic) {
  if (fail_starts_ || proc == nullptr || delay_ms == 0 || delay_ms > caps_.wPeriodMax) return 0;
  const uint32_t id = next_id_++;
  timers_[id] = Timer{now_ + delay_ms, delay_ms, proc, user, periodic, 0};
  return id;
}

int VirtualClock::KillEvent(uint32_t id) {
  auto it = timers_.find(id);
  if (it == timers_.end() || it->second.proc == nullptr) return 1;
  timers_.erase(it);
  return 0;
}

void VirtualClock::Sleep(uint32_t ms) {
  const int64_t target = now_ + ms;
  while (FireNextInstant(target)) {
  }
  if (now_ < target) now_ = target;
}

bool VirtualClock::Post(const Message& m) {
  if (pending_.size() >= kQueueCapacity) return false;
  pending_.push_back(m);
  return true;
}

void VirtualClock::SetWindowTimer(uint32_t id, uint32_t ms) {
  KillWindowTimer(id);
  if (ms < kMinWindowTimerMs) ms = kMinWindowTimerMs;
  timers_[next_id_++] = Timer{now_ + ms, ms, nullptr, 0, true, id};
}

void VirtualClock::KillWindowTimer(uint32_t id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.proc == nullptr && it->second.window_id == id) {
      timers_.erase(it);
      return;
    }
  }
}
