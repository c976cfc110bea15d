// Prints what the panel's heaviest clicks cost on the user-interface thread:
// a page change (the whole page repainted), a voice chosen from the list (the
// voice set-up, 224 messages, plus the redrawn entries) and one spin-button step.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/headless.h"
#include "support/temp_dir.h"
#include "ui/layout.h"

namespace {

// The system started headless in a fresh folder, for one benchmark.
struct Session {
  Session() : old(std::filesystem::current_path()) {
    std::filesystem::current_path(dir.path());
    system.StartUp();
    system.TakeEvents();
  }
  ~Session() { std::filesystem::current_path(old); }
  void Click(Point p) {
    system.Button(WM_LBUTTONDOWN, p);
    system.Button(WM_LBUTTONUP, p);
    system.TakeEvents();
  }
  TempDir dir;
  std::filesystem::path old;
  HeadlessSystem system;
};

constexpr Point kPlayTab{160, 30};
constexpr Point kMidiTab{470, 30};
constexpr Point kUpperVoice0{700, 335};
constexpr Point kProgram40{315, 229};
constexpr Point kProgram41{315, 245};

void BM_PageChange(benchmark::State& state) {
  Session s;
  for (auto _ : state) {
    s.Click(kMidiTab);
    s.Click(kPlayTab);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_PageChange)->Unit(benchmark::kMillisecond);

void BM_VoiceFromList(benchmark::State& state) {
  Session s;
  s.Click(kUpperVoice0);
  bool flip = false;
  for (auto _ : state) {
    s.Click((flip = !flip) ? kProgram40 : kProgram41);
  }
}
BENCHMARK(BM_VoiceFromList)->Unit(benchmark::kMicrosecond);

void BM_SpinStep(benchmark::State& state) {
  Session s;
  s.Click(kUpperVoice0);
  const Rect& up = g_Region[VibRateUp];
  const Rect& down = g_Region[VibRateDown];
  bool flip = false;
  for (auto _ : state) {
    s.Click((flip = !flip) ? Point{up.left + 4, up.top + 4} : Point{down.left + 4, down.top + 4});
  }
}
BENCHMARK(BM_SpinStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
