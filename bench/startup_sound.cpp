// The program's start with the default SoundFont (default-GM.sf2, 148 MB) and
// an audio output, on a private JACK dummy server and on a private PulseAudio
// null sink: time from before the process is created to its first presented
// frame, and to the first sound at the output of a note played the moment the
// window shows (median of 7 starts). Then the processor time of the program
// sitting idle with the synthesizer open, over 10 s.
//
//   build/bench_startup_sound [jack|pulse]
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
#include <thread>
#include <vector>

#include "app/desktop_program.h"
#include "midi/midi_port.h"
#include "perform/keyboard.h"
#include "perform/slide_bar.h"
#include "support/audio_rig.h"

namespace {

constexpr int kStarts = 7;
constexpr Point kString1 = {81, 147};
constexpr int64_t kHeardWithinUs = 10000000;
constexpr int64_t kSettleUs = 3000000;  // start-up and SoundFont load behind us
constexpr int64_t kIdleUs = 10000000;
constexpr double kFirstFrameGoalMs = 250;
constexpr double kFirstNoteGoalMs = 1000;
constexpr double kIdleGoalPercent = 5;

// The child: the program's own start, a key pressed on the top string as soon
// as the window shows (unless idle), the loop for a while, its own close.
int Child(int64_t t0_us, bool idle, int64_t run_us) {
  DesktopProgram program;
  if (!program.Start(std::filesystem::current_path().string())) return 1;
  const int64_t first_frame = NowUs();
  if (!idle) {
    OnMouseMove(0, kString1);
    OnKeyDown('1', 1, 0);
  }
  std::printf("%lld %d\n", static_cast<long long>(first_frame - t0_us), static_cast<int>(g_bMidiOutOpen));
  std::fflush(stdout);
  std::thread closer([&] {
    SleepUs(run_us);
    program.RequestClose();
  });
  program.Run();
  closer.join();
  return 0;
}

struct Start {
  pid_t pid = -1;
  int out = -1;
  int64_t t0 = 0;
};

Start Launch(const std::filesystem::path& self, const std::filesystem::path& work, bool idle, int64_t run_us) {
  Start s;
  int fds[2];
  if (pipe(fds) != 0) return s;
  s.t0 = NowUs();
  s.pid = fork();
  if (s.pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    if (chdir(work.c_str()) != 0) _exit(1);
    const std::string t = std::to_string(s.t0), r = std::to_string(run_us);
    execl(self.c_str(), self.c_str(), "--child", t.c_str(), idle ? "idle" : "play", r.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  s.out = fds[0];
  return s;
}

// The child's line: first frame in microseconds and whether the port opened.
bool ReadFirstFrame(Start& s, double* ms, bool* open) {
  char buf[128] = {};
  const ssize_t n = read(s.out, buf, sizeof buf - 1);
  long long us = 0;
  int port = 0;
  if (n <= 0 || std::sscanf(buf, "%lld %d", &us, &port) < 2) return false;
  *ms = us / 1000.0;
  *open = port != 0;
  return true;
}

void Finish(Start& s) {
  close(s.out);
  int status = 0;
  waitpid(s.pid, &status, 0);
}

void MeasurePath(SoundPath path, const std::filesystem::path& self, const std::filesystem::path& work) {
  std::printf("== %s\n", PathName(path));
  SoundServer server(path);
  if (!server.up()) {
    std::printf("  no %s server could be started here; skipped\n", PathName(path));
    return;
  }
  std::vector<double> frame_ms, note_ms;
  int not_heard = 0;
  bool open = false;
  // PulseAudio's monitor is there all along and is listened to throughout;
  // JACK's ear connects to the program's ports once they are there.
  std::unique_ptr<Ear> ear;
  if (path == SoundPath::kPulse) ear = OpenEar(path);
  for (int i = 0; i < kStarts; ++i) {
    SleepUs(200000);  // the last start's sound gone
    if (ear) ear->Arm();
    Start s = Launch(self, work, false, 1500000);
    double ms = 0;
    if (!ReadFirstFrame(s, &ms, &open)) {
      std::printf("  start %d failed\n", i);
      Finish(s);
      continue;
    }
    frame_ms.push_back(ms);
    const int64_t deadline = s.t0 + kHeardWithinUs;
    if (path == SoundPath::kJack) {
      ear.reset();
      while (!ear && NowUs() < deadline) {
        ear = OpenEar(path);
        if (!ear) SleepUs(1000);
      }
      if (ear) ear->Arm();
    }
    while (ear && ear->onset_us() == 0 && NowUs() < deadline) SleepUs(500);
    if (ear && ear->onset_us() != 0) {
      note_ms.push_back((ear->onset_us() - s.t0) / 1000.0);
    } else {
      ++not_heard;
      std::printf("  start %d not heard\n", i);
    }
    Finish(s);
  }
  ear.reset();
  const Spread frame = SpreadOf(frame_ms), note = SpreadOf(note_ms);
  std::printf("  %zu starts (port %s): first frame median %.1f ms (min %.1f, max %.1f; goal < %.0f ms: %s)\n",
              frame_ms.size(), open ? "open" : "NOT open", frame.median, frame_ms.empty() ? 0.0 : *std::min_element(frame_ms.begin(), frame_ms.end()),
              frame.max, kFirstFrameGoalMs, frame.median < kFirstFrameGoalMs ? "met" : "MISSED");
  std::printf("  first note at the output: median %.1f ms (max %.1f; goal < %.0f ms: %s)%s\n", note.median,
              note.max, kFirstNoteGoalMs, note.median < kFirstNoteGoalMs && !note_ms.empty() ? "met" : "MISSED",
              not_heard ? (" -- " + std::to_string(not_heard) + " starts not heard").c_str() : "");

  // Idle: the program started, nothing played.
  Start s = Launch(self, work, true, kSettleUs + kIdleUs + 2000000);
  double ms = 0;
  if (ReadFirstFrame(s, &ms, &open)) {
    SleepUs(kSettleUs);
    const int64_t cpu0 = ProcessCpuUs(s.pid), wall0 = NowUs();
    SleepUs(kIdleUs);
    const double percent = 100.0 * (ProcessCpuUs(s.pid) - cpu0) / (NowUs() - wall0);
    std::printf("  idle with the synthesizer open: %.1f %% of a core (goal < %.0f %%: %s)\n", percent,
                kIdleGoalPercent, percent < kIdleGoalPercent ? "met" : "MISSED");
  }
  Finish(s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
    return Child(std::atoll(argv[2]), std::strcmp(argv[3], "idle") == 0, std::atoll(argv[4]));
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // the figures as they come
  if (!getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  std::vector<SoundPath> paths = {SoundPath::kJack, SoundPath::kPulse};
  if (argc > 1 && std::strcmp(argv[1], "jack") == 0) paths = {SoundPath::kJack};
  if (argc > 1 && std::strcmp(argv[1], "pulse") == 0) paths = {SoundPath::kPulse};

  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path work =
      std::filesystem::temp_directory_path() / ("slidora-startup-sound-" + std::to_string(getpid()));
  std::filesystem::create_directories(work);
  std::filesystem::copy(self.parent_path() / "run" / "Bitmap", work / "Bitmap",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  std::ofstream(work / "SLD.ini") << "[MIDI]\nReverbTime=0\nChorusLevel=0\n";
  std::printf("default SoundFont, %s; load average when starting: ", getenv("DISPLAY") ? "X11" : "offscreen video");
  std::fflush(stdout);
  std::system("cut -d' ' -f1-3 /proc/loadavg");
  for (SoundPath path : paths) MeasurePath(path, self, work);
  std::filesystem::remove_all(work);
  return 0;
}
