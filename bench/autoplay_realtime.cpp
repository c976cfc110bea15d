// Plays a 30 s song in the program (started, fed a dropped file and closed as
// on the desktop, on the real timer thread and a message loop, without a
// display) into a recording port and prints how late every message left
// against its event's time (median, 99th percentile, maximum; goal: p99 under
// 6 ms, the 5 ms tick plus 1 ms) and the song clock's drift from the wall
// clock at the end (goal: none).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/reset.h"
#include "app/sld_app.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "platform/headless_pointer.h"
#include "platform/headless_window.h"
#include "platform/message_loop.h"
#include "platform/platform.h"
#include "platform/posted_queue.h"
#include "platform/timer_thread.h"
#include "song/autoplay.h"
#include "song/autoplay_tick.h"
#include "song/song_state.h"
#include "ui/layout.h"

namespace {

constexpr double kNsPerMs = 1e6;

// A port that notes the wall time of every message and the song event being
// carried out when it was sent.
class TimingPort : public MidiOutDriver {
 public:
  struct Sent {
    int64_t ns;
    int event;  // index in g_SongEvent, -1 outside a song
  };
  int GetNumDevs() override { return 0; }
  int GetDevCaps(int, MidiOutCaps*) override { return MMSYSERR_BADDEVICEID; }
  int Open(int) override { return MMSYSERR_NOERROR; }
  void ShortMsg(uint32_t) override {
    if (sent.size() < sent.capacity())
      sent.push_back({MonotonicNs(), g_bAutoPlay ? g_SongHandledIndex : -1});
  }
  void Reset() override {}
  void Close() override {}
  std::vector<Sent> sent;
};

std::atomic<int64_t> g_SongStartNs{0};  // wall time of the tick that is song time 0
std::atomic<int64_t> g_DriftMs{0};      // wall time since then minus the song clock
TimerProc g_ProgramTick = nullptr;      // the program's own tick callback

// Slot 3's tick, with the song's origin and the clock's drift noted around it.
void MeasuredTick(uint32_t id, uintptr_t user) {
  const bool starting = g_AutoPlayState.load() == 1;
  const int64_t now = MonotonicNs();
  g_ProgramTick(id, user);
  if (starting) g_SongStartNs = now;
  if (g_SongStartNs != 0 && g_AutoPlayState.load() != 0)
    g_DriftMs = (now - g_SongStartNs) / static_cast<int64_t>(kNsPerMs) - g_SongTime.load();
}

// The real timer thread, with the program's 5 ms tick measured.
class MeasuringTimers : public TimerService {
 public:
  int GetDevCaps(TimeCaps* caps) override { return m_Timers.GetDevCaps(caps); }
  int BeginPeriod(uint32_t ms) override { return m_Timers.BeginPeriod(ms); }
  int EndPeriod(uint32_t ms) override { return m_Timers.EndPeriod(ms); }
  uint32_t SetEvent(uint32_t delay_ms, uint32_t resolution_ms, TimerProc proc, uintptr_t user,
                    bool periodic) override {
    if (user == kTickTimerSlot) {
      g_ProgramTick = proc;
      proc = MeasuredTick;
    }
    return m_Timers.SetEvent(delay_ms, resolution_ms, proc, user, periodic);
  }
  int KillEvent(uint32_t id) override { return m_Timers.KillEvent(id); }
  void Sleep(uint32_t ms) override { m_Timers.Sleep(ms); }
  int64_t NowMs() const override { return m_Timers.NowMs(); }

 private:
  TimerThread m_Timers;
};

// 30 s at tempo 120: a note every eighth, a slide every bar, pedals, expression.
std::string ThirtySecondSong() {
  std::string s =
      "01=120\n02=0\n03=25\n04=0\n05=0\n06=110\n07=25\n08=0\n09=0\n10=60\n11=0\n12=0\n13=40\n14=0\n"
      "15=E9\n16=G#,E,B,G#,F#,E,B,E\n17=#,0,0,#,0,0,0,0\n18=0,b,0,0,0,b,0,0\n"
      "19=110\n20=90\n21=70\n22=50\n";
  for (int bar = 0; bar < 15; ++bar) {
    s += "b=" + std::to_string(1 + bar % 6) + ",3,k=3,t=12,k=off,k=1,t=12,k=off,k=2,t=12\n";
    s += "p1=on,t=12,p1=off,k=off,exp=" + std::to_string(60 + bar) + ",k=1,s=24,5,t=24,k=off\n";
  }
  return s;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5))];
}

}  // namespace

int main() {
  // The program reads and writes SLD.ini in its working folder: one of its own.
  const std::filesystem::path work =
      std::filesystem::temp_directory_path() / ("slidora-autoplay-" + std::to_string(getpid()));
  std::filesystem::create_directories(work);
  std::filesystem::current_path(work);
  std::ofstream("song.txt") << ThirtySecondSong();

  ResetAllState();
  TimingPort port;
  port.sent.reserve(200000);
  PostedQueue queue;
  MeasuringTimers timers;
  HeadlessWindow window(0, 0, kWindowWidth, kWindowHeight, {kWindowWidth, kWindowHeight});
  HeadlessPointer pointer(&window);
  g_Platform.midi = &port;
  g_Platform.timers = &timers;
  g_Platform.queue = &queue;

  CSLDApp app;
  AppHost host;
  host.single_instance = false;
  host.create_window = [&](Point) {
    g_Platform.window = &window;
    g_Platform.pointer = &pointer;
    return true;
  };
  if (!app.InitInstance(host)) return 1;
  MessageLoop loop;
  loop.SetDefaultHandler([&](const Message& m) { app.WindowProc(m); });
  loop.SetIdleHook([&] {
    app.OnIdle();
    if (g_bAutoPlay == 0) queue.Quit();
  });
  port.sent.clear();
  // The song comes as a file dropped on the window.
  window.DropFiles({"song.txt"});
  loop.Dispatch(Message{WM_DROPFILES, 0, 0});
  if (g_bAutoPlay == 0) {
    std::fprintf(stderr, "the benchmark song did not start\n");
    return 1;
  }
  loop.Run(queue);
  app.WindowProc(Message{WM_CLOSE, 0, 0});
  app.ExitInstance();

  std::vector<double> lateness;
  for (const TimingPort::Sent& s : port.sent) {
    if (s.event < 0 || g_SongStartNs == 0) continue;
    const double due = static_cast<double>(g_SongEvent[s.event].TimeMs);
    lateness.push_back(static_cast<double>(s.ns - g_SongStartNs) / kNsPerMs - due);
  }
  const SongEvent& end = g_SongEvent[g_SongEventCount - 1];
  std::printf("song of %.1f s, %d events, %zu messages timed\n", end.TimeMs / 1000.0,
              static_cast<int>(g_SongEventCount), lateness.size());
  std::printf("lateness vs event time: median %.3f  p99 %.3f  max %.3f ms (goal: p99 < 6 ms)\n",
              Percentile(lateness, 0.5), Percentile(lateness, 0.99), Percentile(lateness, 1.0));
  std::printf("song clock drift at the end: %lld ms (goal: 0)\n", static_cast<long long>(g_DriftMs.load()));
  g_Platform = Platform{};
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(work);
  return 0;
}
