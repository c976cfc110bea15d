// Runs the real 5 ms tick for 10 s (or the seconds given) on the program's
// timers with the message loop draining its posts, and prints the tick's period
// spread, its count, the post-to-handling latency and the CPU time it costs.
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/reset.h"
#include "midi/timers.h"
#include "platform/desktop_services.h"
#include "platform/message_loop.h"
#include "platform/platform.h"
#include "platform/posted_queue.h"
#include "platform/timer_thread.h"

namespace {

constexpr double kNsPerMs = 1e6;
constexpr int kDefaultSeconds = 10;
constexpr int kFloorSeconds = 2;

// Filled by the timer thread only; read by the loop after the posts it
// handles (the queue orders them) and by main after the run.
std::vector<int64_t> g_tick_ns;
std::atomic<int> g_ticks{0};
std::vector<int64_t> g_post_ns;
std::atomic<int> g_posts{0};
PostedQueue* g_queue = nullptr;

// The idle tick as slot 3 runs it, with its start time noted.
void MeasuredTick(uint32_t, uintptr_t) {
  const int64_t now = MonotonicNs();
  const int n = g_ticks.load(std::memory_order_relaxed);
  if (n < static_cast<int>(g_tick_ns.size())) g_tick_ns[n] = now;
  g_ticks.store(n + 1, std::memory_order_relaxed);
  // The tick posts its 32010 when it wraps the count from 3 to 0.
  const bool posts = g_MouseTickCount.load() == kMouseReleaseTicks - 1;
  if (posts) {
    const int p = g_posts.load(std::memory_order_relaxed);
    if (p < static_cast<int>(g_post_ns.size())) g_post_ns[p] = now;
    g_posts.store(p + 1, std::memory_order_relaxed);
  }
  TimerTick();
}

void EndRun(uint32_t, uintptr_t) { g_queue->Quit(); }

int64_t CpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The floor on this machine: what a bare loop sleeping to absolute 5 ms
// deadlines costs, as a share of one core.
double BareWakeUpCostPercent(int seconds) {
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  const int64_t cpu_start = CpuNs();
  const int64_t wall_start = MonotonicNs();
  for (int i = 0; i < seconds * 1000 / static_cast<int>(kTickMs); ++i) {
    deadline.tv_nsec += kTickMs * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
      deadline.tv_nsec -= 1000000000L;
      deadline.tv_sec += 1;
    }
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr);
  }
  return 100.0 * static_cast<double>(CpuNs() - cpu_start) /
         static_cast<double>(MonotonicNs() - wall_start);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

void PrintSpread(const char* what, const std::vector<double>& v) {
  std::printf("%-28s min %.3f  median %.3f  p99 %.3f  max %.3f ms  (%zu samples)\n", what,
              Percentile(v, 0), Percentile(v, 0.5), Percentile(v, 0.99), Percentile(v, 1), v.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultSeconds;
  const uint32_t run_ms = static_cast<uint32_t>(seconds) * 1000;
  ResetAllState();
  PostedQueue queue;
  DesktopTimers timers;  // the program's own: the timer thread, on Windows the multimedia timers
  g_queue = &queue;
  g_Platform.timers = &timers;
  g_Platform.queue = &queue;
  g_tick_ns.assign(run_ms / kTickMs + 100, 0);
  g_post_ns.assign(run_ms / kTickMs + 100, 0);

  std::vector<double> latency_ms;
  latency_ms.reserve(g_post_ns.size());
  int handled = 0;
  MessageLoop loop;
  loop.SetHandler(WM_MOUSE_RELEASE, [&](const Message&) {
    const int64_t now = MonotonicNs();
    if (handled < static_cast<int>(g_post_ns.size()))
      latency_ms.push_back(static_cast<double>(now - g_post_ns[handled]) / kNsPerMs);
    ++handled;
  });

  // As the program does at start-up (Windows needs it for 1 ms waits).
  timers.BeginPeriod(kTimerResolutionMs);
  const int64_t cpu_start = CpuNs();
  const int64_t wall_start = MonotonicNs();
  const uint32_t tick = timers.SetEvent(kTickMs, kTimerResolutionMs, MeasuredTick, 3, true);
  // Started second, so at the last instant the tick fires first.
  timers.SetEvent(run_ms, kTimerResolutionMs, EndRun, 0, false);
  loop.Run(queue);
  timers.KillEvent(tick);
  timers.EndPeriod(kTimerResolutionMs);
  const int64_t cpu_ns = CpuNs() - cpu_start;
  const int64_t wall_ns = MonotonicNs() - wall_start;

  const int ticks = std::min(g_ticks.load(), static_cast<int>(g_tick_ns.size()));
  std::vector<double> period_ms;
  for (int i = 1; i < ticks; ++i)
    period_ms.push_back(static_cast<double>(g_tick_ns[i] - g_tick_ns[i - 1]) / kNsPerMs);
  std::vector<double> lateness_ms;
  for (int i = 0; i < ticks; ++i)
    lateness_ms.push_back(static_cast<double>(g_tick_ns[i] - wall_start) / kNsPerMs -
                          static_cast<double>((i + 1) * kTickMs));

  std::printf("run of %d s, 5 ms tick\n", seconds);
  std::printf("%-28s %d (goal %u)\n", "ticks", ticks, run_ms / kTickMs);
  PrintSpread("tick period", period_ms);
  PrintSpread("tick lateness vs. grid", lateness_ms);
  PrintSpread("post-to-handling latency", latency_ms);
  std::printf("%-28s %d posted, %d handled\n", "mouse releases (32010)", g_posts.load(), handled);
  std::printf("%-28s %.3f ms in %.3f s = %.4f %% of one core (goal < 0.5 %%)\n", "CPU time",
              static_cast<double>(cpu_ns) / kNsPerMs, static_cast<double>(wall_ns) / 1e9,
              100.0 * static_cast<double>(cpu_ns) / static_cast<double>(wall_ns));
  std::printf("%-28s %.4f %% of one core\n", "floor: bare 5 ms sleep loop",
              BareWakeUpCostPercent(kFloorSeconds));
  g_Platform = Platform{};
  return 0;
}
