// Virtual time: timers fire and messages are delivered only when told to.
#include "platform/virtual_clock.h"

#include <utility>
#include <vector>

namespace {
// The window system never runs a window timer faster than this (ms).
constexpr uint32_t kMinWindowTimerMs = 10;
}  // namespace

VirtualClock::VirtualClock() : m_Caps{1, kMaxPeriodMs} {}

void VirtualClock::SetHandler(Handler handler) { m_Handler = std::move(handler); }

void VirtualClock::SetIdleHook(IdleHook hook) { m_Idle = std::move(hook); }

void VirtualClock::Advance(int64_t ms) {
  if (ms < 0) ms = 0;
  const int64_t target = m_Now + ms;
  DeliverPending();
  while (FireNextInstant(target)) DeliverPending();
  // A handler that slept may already have taken time past the target.
  if (m_Now < target) m_Now = target;
}

void VirtualClock::DeliverPending() {
  if (m_Pending.empty()) return;
  DeliverRound();
}

void VirtualClock::DeliverRound() {
  // What the handlers post is delivered in the same round, as a message loop
  // would pick it up before going idle.
  while (!m_Pending.empty()) {
    const Message m = m_Pending.front();
    m_Pending.pop_front();
    if (m_Handler) m_Handler(m);
  }
  if (m_Idle) m_Idle();
}

bool VirtualClock::FireNextInstant(int64_t limit) {
  bool any = false;
  int64_t when = 0;
  for (const auto& [id, t] : m_Timers) {
    if (!any || t.due < when) when = t.due;
    any = true;
  }
  if (!any || when > limit) return false;
  m_Now = when;

  std::vector<uint32_t> due_ids;
  for (const auto& [id, t] : m_Timers)
    if (t.due == when) due_ids.push_back(id);
  for (uint32_t id : due_ids) {
    // An earlier callback of this instant may have stopped or restarted it.
    auto it = m_Timers.find(id);
    if (it == m_Timers.end() || it->second.due != when) continue;
    const Timer t = it->second;
    if (t.proc == nullptr) {
      it->second.due += t.period;
      Post({WM_TIMER, static_cast<WPARAM>(t.window_id), 0});
      continue;
    }
    if (t.periodic)
      it->second.due += t.period;
    else
      m_Timers.erase(it);
    t.proc(id, t.user);
  }
  return true;
}

int VirtualClock::GetDevCaps(TimeCaps* caps) {
  if (caps == nullptr) return 1;
  *caps = m_Caps;
  return 0;
}

int VirtualClock::BeginPeriod(uint32_t ms) {
  if (ms < m_Caps.wPeriodMin || ms > m_Caps.wPeriodMax) return 1;
  ++m_OpenPeriods;
  return 0;
}

int VirtualClock::EndPeriod(uint32_t ms) {
  if (ms < m_Caps.wPeriodMin || ms > m_Caps.wPeriodMax || m_OpenPeriods == 0) return 1;
  --m_OpenPeriods;
  return 0;
}

uint32_t VirtualClock::SetEvent(uint32_t delay_ms, uint32_t /*resolution_ms*/, TimerProc proc,
                                uintptr_t user, bool periodic) {
  if (m_FailStarts || proc == nullptr || delay_ms == 0 || delay_ms > m_Caps.wPeriodMax) return 0;
  const uint32_t id = m_NextId++;
  m_Timers[id] = Timer{m_Now + delay_ms, delay_ms, proc, user, periodic, 0};
  return id;
}

int VirtualClock::KillEvent(uint32_t id) {
  auto it = m_Timers.find(id);
  if (it == m_Timers.end() || it->second.proc == nullptr) return 1;
  m_Timers.erase(it);
  return 0;
}

void VirtualClock::Sleep(uint32_t ms) {
  const int64_t target = m_Now + ms;
  while (FireNextInstant(target)) {
  }
  if (m_Now < target) m_Now = target;
}

bool VirtualClock::Post(const Message& m) {
  if (m_Pending.size() >= kQueueCapacity) return false;
  m_Pending.push_back(m);
  return true;
}

void VirtualClock::SetWindowTimer(uint32_t id, uint32_t ms) {
  KillWindowTimer(id);
  if (ms < kMinWindowTimerMs) ms = kMinWindowTimerMs;
  m_Timers[m_NextId++] = Timer{m_Now + ms, ms, nullptr, 0, true, id};
}

void VirtualClock::KillWindowTimer(uint32_t id) {
  for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it) {
    if (it->second.proc == nullptr && it->second.window_id == id) {
      m_Timers.erase(it);
      return;
    }
  }
}
