// Time from process start to the first presented frame, with the small
// TimGM6mb SoundFont: the program's own start-up (window, fonts, pictures,
// settings, tables, synthesizer, first paint), measured from before the
// process is created. Prints the figures of several starts.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/desktop_program.h"
#include "midi/midi_port.h"

namespace {

constexpr int kStarts = 7;
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

int64_t NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The child: the program's own start, timed to the first paint, then its own
// close through the message loop.
int Child(int64_t t0_us) {
  DesktopProgram program;
  if (!program.Start(std::filesystem::current_path().string())) return 1;
  const int64_t first_frame = NowUs();  // the start-up ends with the first paint
  std::printf("%lld %d\n", static_cast<long long>(first_frame - t0_us), static_cast<int>(g_bMidiOutOpen));
  std::fflush(stdout);
  program.RequestClose();
  program.Run();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return Child(std::atoll(argv[2]));
  if (!getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path work = std::filesystem::temp_directory_path() / ("slidora-startup-" + std::to_string(getpid()));
  std::filesystem::create_directories(work);
  std::filesystem::copy(self.parent_path() / "run" / "Bitmap", work / "Bitmap",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  std::vector<double> ms;
  bool port_open = false;
  for (int i = 0; i < kStarts; ++i) {
    std::ofstream(work / "SLD.ini") << "[Synth]\nSoundFont=" << kSoundFont << "\n";
    int fds[2];
    if (pipe(fds) != 0) return 1;
    const int64_t t0 = NowUs();
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      if (chdir(work.c_str()) != 0) _exit(1);
      const std::string t = std::to_string(t0);
      execl(self.c_str(), self.c_str(), "--child", t.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char buf[128] = {};
    const ssize_t n = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long us = 0;
    int open = 0;
    if (n <= 0 || std::sscanf(buf, "%lld %d", &us, &open) < 1) {
      std::fprintf(stderr, "start %d failed\n", i);
      continue;
    }
    port_open = open != 0;
    ms.push_back(us / 1000.0);
  }
  std::filesystem::remove_all(work);
  if (ms.empty()) return 1;
  std::sort(ms.begin(), ms.end());
  std::printf("process start to first frame (%s, %s, built-in synthesizer %s), %zu starts:\n",
              getenv("DISPLAY") ? "X11" : "offscreen video", "TimGM6mb",
              port_open ? "open" : "not open: no audio output", ms.size());
  std::printf("  min %.1f ms, median %.1f ms, max %.1f ms (goal: under 250 ms)\n", ms.front(),
              ms[ms.size() / 2], ms.back());
  return 0;
}
