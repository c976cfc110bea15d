// Panel drawing: a full OnDraw of each page into the canvas, and one slide-bar
// step (restore the strip, save the new one, draw the bar) presented on a real
// window surface (SDL's offscreen driver where there is no display).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/reset.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/bar_drawing.h"
#include "perform/play_state.h"
#include "platform/sdl_window.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

// A view with the built pictures and the default settings.
CSLDView& View() {
  static CSLDView* view = [] {
    // The pictures are in the run folder beside this program.
    std::filesystem::current_path(std::filesystem::read_symlink("/proc/self/exe").parent_path() / "run");
    ResetAllState();
    ApplyDefaultSettings();
    BuildPedalNoteNames();
    BuildStringNotes();
    BuildGuide(0);
    BuildGuide(1);
    auto* v = new CSLDView;
    v->OnCreate();
    return v;
  }();
  return *view;
}

void BM_FullOnDraw(benchmark::State& state) {
  CSLDView& view = View();
  g_Page = static_cast<int>(state.range(0));
  for (auto _ : state) {
    view.OnDraw(view.canvas());
    view.canvas().TakeDirty();
  }
  g_Page = 0;
}
BENCHMARK(BM_FullOnDraw)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_BarStepWithPresent(benchmark::State& state) {
  CSLDView& view = View();
  if (!getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  static SdlWindow window;
  static bool created = window.Create("Slidora bench", 0, 0, kWindowWidth, kWindowHeight);
  if (!created) {
    state.SkipWithError("no window");
    return;
  }
  window.Show();
  g_Page = 0;
  view.OnDraw(view.canvas());
  window.Present(view.canvas().picture(), view.canvas().TakeDirty());
  g_PlayNeck = 0;
  g_PlayString = 2;
  g_BarFret = 5;
  int x = 300;
  DrawBar(true);
  for (auto _ : state) {
    x = x == 300 ? 301 : 300;  // one pixel of bar travel each step
    g_BarX = x;
    DrawBar(false);
    window.Present(view.canvas().picture(), view.canvas().TakeDirty());
  }
  state.SetLabel(getenv("DISPLAY") ? "x11" : "offscreen");
}
BENCHMARK(BM_BarStepWithPresent)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
