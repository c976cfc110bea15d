// Keeping what was played: the cost of keeping each message the port sends
// (goal under 1 us a message), and the time Ctrl+S takes to write an hour's
// take of dense play (goal under 200 ms).
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "app/reset.h"
#include "app/takes.h"
#include "midi/midi_codes.h"
#include "midi/take_buffer.h"
#include "model/settings.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRuns = 5;
constexpr int64_t kHourMs = 60LL * 60 * 1000;
// Dense play: a message every millisecond (a bar sliding under held notes
// sends about 700 a second).
constexpr int kMessagesPerMs = 1;

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Processor time of this process (ms): what the work itself costs, on a
// machine that other work keeps busy too.
double CpuMs() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// What play sends, over and over: notes on string pairs, bends, a pedal glide.
uint32_t PlayMessage(int64_t i) {
  switch (i % 8) {
    case 0: return PackShortMsg(kNoteOn + 2 * (i / 8 % 7), 60 + i % 12, 120);
    case 4: return PackShortMsg(kNoteOff + 2 * (i / 8 % 7), 60 + (i - 4) % 12, 127);
    case 6: return PackShortMsg(kControlChange + 1, kCcExpression, static_cast<int>(i % 128));
    default: return PackShortMsg(kPitchBend + i % 16, static_cast<int>(i % 128), 64);
  }
}

void FillHour(TakeBuffer& buffer) {
  buffer.Clear();
  int64_t i = 0;
  for (int64_t t = 0; t < kHourMs; ++t) {
    for (int k = 0; k < kMessagesPerMs; ++k) buffer.Add(t, PlayMessage(i++));
  }
}

void MeasureKeeping() {
  std::vector<double> ns;
  const int64_t count = 20000000;  // beyond the buffer's bound: dropping included
  for (int run = 0; run < kRuns; ++run) {
    TakeBuffer buffer;
    const auto t0 = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < count; ++i) buffer.Add(i / 4, PlayMessage(i));
    ns.push_back(Ms(std::chrono::steady_clock::now() - t0) * 1e6 / count);
  }
  std::sort(ns.begin(), ns.end());
  std::printf("keeping a message: %.1f ns (median of %d runs of %lld; worst %.1f ns; goal < 1000 ns)\n",
              ns[kRuns / 2], kRuns, static_cast<long long>(count), ns.back());
}

void MeasureHourTake() {
  TempDir dir;
  std::vector<double> ms, cpu;
  size_t bytes = 0;
  for (int run = 0; run < kRuns; ++run) {
    ResetAllState();
    g_SettingsPath = dir.File("SLD.ini");
    FillHour(g_TakeBuffer);
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = CpuMs();
    const TakeSaveResult r = SaveTake();
    ms.push_back(Ms(std::chrono::steady_clock::now() - t0));
    cpu.push_back(CpuMs() - c0);
    if (r.status != TakeSaveResult::kSaved) std::fprintf(stderr, "the save failed: %s\n", r.error.c_str());
    bytes = dir.Read(std::string(kTakesFolder) + "/" + r.name).size();
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("writing an hour's take (%zu messages, %.1f MB): %.0f ms (median of %d runs; worst %.0f ms; "
              "goal < 200 ms), %.0f ms of processor time\n",
              g_TakeBuffer.size(), bytes / 1e6, ms[kRuns / 2], kRuns, ms.back(), cpu[kRuns / 2]);
  ResetAllState();
}

}  // namespace

int main() {
  MeasureKeeping();
  MeasureHourTake();
  return 0;
}
