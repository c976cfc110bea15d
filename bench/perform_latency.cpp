// Measures the playing handlers on the started system: the time from a key
// press reaching OnKeyDown to its last note-on leaving for the port, and from
// a mouse move reaching OnMouseMove to its last bend (before the designed
// 20 ms rest). Prints median and 99th percentile in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless.h"
#include "midi/midi_port.h"
#include "perform/keyboard.h"
#include "perform/slide_bar.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 20000;
constexpr double kGoalUs = 50.0;

// A port that only notes when the last note-on and the last bend left.
class TimingPort : public MidiOutDriver {
 public:
  int GetNumDevs() override { return 0; }
  int GetDevCaps(int, MidiOutCaps*) override { return 1; }
  int Open(int) override { return 0; }
  void ShortMsg(uint32_t packed) override {
    const int type = packed & 0xF0;
    if (type == 0x90) last_note_on = Clock::now();
    if (type == 0xE0) last_bend = Clock::now();
  }
  void Reset() override {}
  void Close() override {}
  Clock::time_point last_note_on, last_bend;
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void Report(const char* what, std::vector<double> us) {
  std::sort(us.begin(), us.end());
  const double median = us[us.size() / 2];
  const double p99 = us[us.size() * 99 / 100];
  std::printf("%-28s median %7.2f us   p99 %7.2f us   (goal < %.0f us: %s)\n", what, median, p99,
              kGoalUs, p99 < kGoalUs ? "met" : "MISSED");
}

}  // namespace

int main() {
  const std::filesystem::path old_dir = std::filesystem::current_path();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "slidora-bench-perform";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  std::filesystem::remove("SLD.ini");
  {
    HeadlessSystem system;
    system.StartUp();
    TimingPort timing;
    g_hMidiOut = &timing;

    const Point string1 = {81, 147};
    system.MouseMove(string1);
    system.Wait(20);
    OnKeyDown('4', 1, 0);  // loads the neck's voices once
    OnKeyUp('4', 1, 0);

    std::vector<double> key_us;
    for (int i = 0; i < kRounds; ++i) {
      const Clock::time_point start = Clock::now();
      OnKeyDown('4', 1, 0);  // four strings: four bends and eight note-ons
      key_us.push_back(Micros(timing.last_note_on - start));
      OnKeyUp('4', 1, 0);
      system.clock().DeliverPending();
    }

    OnKeyDown('4', 1, 0);
    std::vector<double> move_us;
    for (int i = 0; i < kRounds; ++i) {
      const Point p = {string1.x + 1 + i % 2, string1.y};
      const Clock::time_point start = Clock::now();
      OnMouseMove(0, p);
      move_us.push_back(Micros(timing.last_bend - start));
      system.clock().DeliverPending();
    }
    OnKeyUp('4', 1, 0);
    g_hMidiOut = &system.port();

    std::printf("%d rounds each\n", kRounds);
    Report("key press to last note-on", key_us);
    Report("mouse move to last bend", move_us);
  }
  std::filesystem::current_path(old_dir);
  std::filesystem::remove_all(dir);
  return 0;
}
