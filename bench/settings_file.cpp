// Start and exit with a huge settings file: 10 MB holding a million filler keys
// of the player's own (an editor's or a tool's section) beside the program's
// 611 keys. Reading every setting and saving them back must stay linear in the
// file's length; the goal is under 1 s for read and save together.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/reset.h"
#include "model/settings.h"
#include "support/temp_dir.h"

namespace {

constexpr int kFillerKeys = 1000000;
constexpr int kRuns = 5;

// The filler comes first, so that every lookup of the program's keys would have
// to pass it if lookups were scans; in its own section, or in one the program reads.
std::string HugeSettings(const char* section) {
  std::string text = std::string("[") + section + "]\n";
  for (int i = 0; i < kFillerKeys; ++i) text += "k" + std::to_string(i) + "=v\n";
  return text;
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Measure(const char* section) {
  TempDir dir;
  const std::string filler = HugeSettings(section);
  std::vector<double> load_ms, save_ms, total_ms;
  for (int run = 0; run < kRuns; ++run) {
    dir.Write("SLD.ini", filler);
    ResetAllState();
    g_SettingsPath = dir.File("SLD.ini");
    const auto t0 = std::chrono::steady_clock::now();
    LoadSettings();
    const auto t1 = std::chrono::steady_clock::now();
    if (!SaveSettings()) std::fprintf(stderr, "the save failed\n");
    const auto t2 = std::chrono::steady_clock::now();
    load_ms.push_back(Ms(t1 - t0));
    save_ms.push_back(Ms(t2 - t1));
    total_ms.push_back(Ms(t2 - t0));
  }
  std::sort(load_ms.begin(), load_ms.end());
  std::sort(save_ms.begin(), save_ms.end());
  std::sort(total_ms.begin(), total_ms.end());
  const size_t size = dir.Read("SLD.ini").size();
  std::printf("%.1f MB, %d filler keys in [%s], median of %d runs:\n", size / 1e6, kFillerKeys, section, kRuns);
  std::printf("  read %.0f ms, save %.0f ms, together %.0f ms (worst %.0f ms; goal < 1000 ms)\n",
              load_ms[kRuns / 2], save_ms[kRuns / 2], total_ms[kRuns / 2], total_ms.back());
}

}  // namespace

int main() {
  Measure("Filler");   // a section of the player's own
  Measure("Vibrato");  // mixed into a section the program reads and writes
  return 0;
}
