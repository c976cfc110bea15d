// Renders the example song offline with the built-in synthesizer and prints
// the speed in seconds of audio per second (goal: at least 100 with TimGM6mb).
#include <time.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/song_performance.h"
#include "app/song_render.h"

namespace {

double Seconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  // By default the example song of the run folder beside the benchmark.
  const std::string song =
      argc > 1 ? argv[1]
               : (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "run/EditingSong.txt").string();
  const std::string font = argc > 2 ? argv[2] : "/usr/share/sounds/sf2/TimGM6mb.sf2";
  SongPerformance p;
  const double performStart = Seconds(CLOCK_MONOTONIC);
  if (PerformSong(song, false, &p) != 0) {
    std::fprintf(stderr, "%s did not play\n", song.c_str());
    return 1;
  }
  const double performWall = Seconds(CLOCK_MONOTONIC) - performStart;
  const double wall0 = Seconds(CLOCK_MONOTONIC), cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  const std::vector<int16_t> samples = RenderOffline(PerformanceMessages(p), font, kSongRenderRate, kSongRenderTailMs);
  if (samples.empty()) {
    std::fprintf(stderr, "cannot load %s\n", font.c_str());
    return 1;
  }
  const double wall = Seconds(CLOCK_MONOTONIC) - wall0, cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
  const double audio = static_cast<double>(samples.size()) / 2 / kSongRenderRate;
  std::printf("headless performance of %s: %.3f s\n", song.c_str(), performWall);
  std::printf("rendered %.1f s of audio in %.3f s wall (%.0fx real time), %.3f s CPU (%.0fx) (goal: 100x)\n",
              audio, wall, audio / wall, cpu, audio / cpu);
  return 0;
}
