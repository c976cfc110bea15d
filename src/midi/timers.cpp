// Timer slots, their callbacks and the 5 ms tick. The callbacks run on the
// timer thread and only post messages and touch the shared atomics.
#include "midi/timers.h"

#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/platform.h"

TimeCaps g_TimeCaps;
std::atomic<uint32_t> g_TimerId[kTimerSlotCount];

std::atomic<int32_t> g_MouseTickCount;
std::atomic<int32_t> g_bMouseMovePending;
std::atomic<int32_t> g_PendingMouseWParam;
std::atomic<int32_t> g_PendingMouseLParam;

namespace {

// Whether mf_TimerInitialize holds a period request that TimerRelease gives back.
bool g_bPeriodRequested = false;
// Read on the timer thread, installed on the user-interface thread.
std::atomic<SongTickHook> g_SongTickHook{nullptr};

void StrokeTimerProc(uint32_t /*id*/, uintptr_t /*slot*/) { PostToView(WM_STROKE_STEP, 0, 0); }
void GlideTimerProc(uint32_t /*id*/, uintptr_t /*slot*/) { PostToView(WM_GLIDE_STEP, 0, 0); }
void TickTimerProc(uint32_t /*id*/, uintptr_t /*slot*/) { TimerTick(); }

struct SlotInfo {
  uint32_t period_ms;
  TimerProc proc;
};

// Indexed by slot; slot 0 is unused.
const SlotInfo kSlots[kTimerSlotCount] = {
    {0, nullptr},
    {kStrokeTimerMs, StrokeTimerProc},
    {kGlideTimerMs, GlideTimerProc},
    {kTickMs, TickTimerProc},
};

bool IsSlot(int slot) { return slot >= kStrokeTimerSlot && slot <= kTickTimerSlot; }

}  // namespace

bool PostToView(uint32_t msg, WPARAM wparam, LPARAM lparam) {
  MessageQueue* queue = g_Platform.queue;
  return queue != nullptr && queue->Post({msg, wparam, lparam});
}

int mf_TimerInitialize() {
  TimerService* timers = g_Platform.timers;
  g_TimeCaps = TimeCaps{0, 0};
  if (timers == nullptr) return 0;
  timers->GetDevCaps(&g_TimeCaps);
  if (g_TimeCaps.wPeriodMin > kTimerResolutionMs)
    ShowMessageBox(kTimerWarningText, kTimerWarningCaption, MB_ICONEXCLAMATION);
  // A device whose minimum is exactly 1 ms already gives every timer its 1 ms
  // resolution; any other is asked for it (and may refuse).
  if (g_TimeCaps.wPeriodMin != kTimerResolutionMs)
    g_bPeriodRequested = timers->BeginPeriod(kTimerResolutionMs) == 0;
  return 0;
}

void TimerRelease() {
  if (!g_bPeriodRequested) return;
  g_bPeriodRequested = false;
  if (g_Platform.timers != nullptr) g_Platform.timers->EndPeriod(kTimerResolutionMs);
}

int StartTimer(int slot) {
  if (!IsSlot(slot)) return 1;
  uint32_t id = 0;
  if (g_Platform.timers != nullptr)
    id = g_Platform.timers->SetEvent(kSlots[slot].period_ms, kTimerResolutionMs, kSlots[slot].proc,
                                     static_cast<uintptr_t>(slot), true);
  g_TimerId[slot].store(id);
  return id != 0 ? 0 : 1;
}

void StopTimer(int slot) {
  if (!IsSlot(slot)) return;
  const uint32_t id = g_TimerId[slot].load();
  if (id != 0 && g_Platform.timers != nullptr) g_Platform.timers->KillEvent(id);
  g_TimerId[slot].store(0);
}

void CloseTimers() {
  StopTimer(kStrokeTimerSlot);
  StopTimer(kGlideTimerSlot);
  StopTimer(kTickTimerSlot);
  g_bMouseMovePending.store(0);
  if (g_Platform.timers != nullptr) g_Platform.timers->Sleep(kCloseDrainMs);
}

void SetSongTickHook(SongTickHook hook) { g_SongTickHook.store(hook); }

void TimerTick() {
  const SongTickHook song = g_SongTickHook.load();
  if (song != nullptr && song()) return;
  const int32_t count = g_MouseTickCount.load();
  if (count < kMouseReleaseTicks - 1) {
    g_MouseTickCount.store(count + 1);
    return;
  }
  g_MouseTickCount.store(0);
  PostToView(WM_MOUSE_RELEASE, 0, 0);
}

void ResetTimerState() {
  g_TimeCaps = TimeCaps{0, 0};
  for (auto& id : g_TimerId) id.store(0);
  g_MouseTickCount.store(0);
  g_bMouseMovePending.store(0);
  g_PendingMouseWParam.store(0);
  g_PendingMouseLParam.store(0);
  g_bPeriodRequested = false;
}
