#include "audio_rig.h"

#include <jack/jack.h>
#include <pthread.h>
#include <sched.h>
#include <pulse/simple.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

constexpr int kRate = 48000;
constexpr int64_t kServerStartUs = 15000000;
constexpr int64_t kGapFrames = 48;  // 1 ms
constexpr const char* kSinkName = "slidora_out";
constexpr int kRecordChunk = 64;  // frames the monitor is read in
constexpr int kEarPriority = 5;   // real-time, below the program's audio thread

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env = {}) {
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(127);
  for (const std::string& e : env) putenv(strdup(e.c_str()));
  std::FILE* null = std::fopen("/dev/null", "w");
  if (null) {
    dup2(fileno(null), 1);
    dup2(fileno(null), 2);
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

void StopProcess(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 300; ++i) {  // 3 s
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    SleepUs(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool JackAnswers() {
  jack_client_t* probe = jack_client_open("slidora-bench-probe", JackNoStartServer, nullptr);
  if (!probe) return false;
  jack_client_close(probe);
  return true;
}

bool PulseAnswers() { return std::system("pactl info >/dev/null 2>&1") == 0; }

void IgnoreJack(const char*) {}

class JackEar : public Ear {
 public:
  ~JackEar() override {
    if (m_Client) jack_client_close(m_Client);
  }
  bool Open() {
    m_Client = jack_client_open("slidora-bench-ear", JackNoStartServer, nullptr);
    if (!m_Client) return false;
    m_Rate = static_cast<int>(jack_get_sample_rate(m_Client));
    for (int i = 0; i < 2; ++i) {
      m_Ports[i] = jack_port_register(m_Client, i ? "right" : "left", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
      if (!m_Ports[i]) return false;
    }
    jack_set_process_callback(m_Client, Process, this);
    if (jack_activate(m_Client) != 0) return false;
    if (jack_connect(m_Client, "slidora:left", jack_port_name(m_Ports[0])) != 0) return false;
    if (jack_connect(m_Client, "slidora:right", jack_port_name(m_Ports[1])) != 0) return false;
    jack_recompute_total_latencies(m_Client);
    jack_latency_range_t range{};
    jack_port_t* out = jack_port_by_name(m_Client, "slidora:left");
    if (out) jack_port_get_latency_range(out, JackPlaybackLatency, &range);
    m_LatencyUs.store(static_cast<int64_t>(range.max) * 1000000 / m_Rate);
    return true;
  }
  std::string description() const override {
    char text[160];
    std::snprintf(text, sizeof text, "JACK dummy %d Hz, period %u frames; playback latency %.2f ms added",
                  m_Rate, m_Client ? jack_get_buffer_size(m_Client) : 0, m_LatencyUs.load() / 1000.0);
    return text;
  }

 private:
  static int Process(jack_nframes_t frames, void* arg) {
    auto* self = static_cast<JackEar*>(arg);
    jack_nframes_t current_frames;
    jack_time_t current_usecs, next_usecs;
    float period_usecs;
    jack_get_cycle_times(self->m_Client, &current_frames, &current_usecs, &next_usecs, &period_usecs);
    const auto* left = static_cast<const float*>(jack_port_get_buffer(self->m_Ports[0], frames));
    const auto* right = static_cast<const float*>(jack_port_get_buffer(self->m_Ports[1], frames));
    // JACK keeps time on a clock of its own (CLOCK_MONOTONIC_RAW): moved onto
    // ours at every cycle.
    const int64_t to_ours = NowUs() - static_cast<int64_t>(jack_get_time());
    self->Hear(left, right, static_cast<int>(frames), 1,
               static_cast<int64_t>(current_usecs) + to_ours + self->m_LatencyUs.load(), self->m_Rate);
    return 0;
  }

  jack_client_t* m_Client = nullptr;
  jack_port_t* m_Ports[2] = {};
  int m_Rate = kRate;
  std::atomic<int64_t> m_LatencyUs{0};
};

class PulseEar : public Ear {
 public:
  ~PulseEar() override {
    m_Stop.store(true);
    if (m_Thread.joinable()) m_Thread.join();
    if (m_Simple) pa_simple_free(m_Simple);
  }
  bool Open() {
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, kRate, 2};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = kRecordChunk * 2 * sizeof(float);
    const std::string monitor = std::string(kSinkName) + ".monitor";
    m_Simple = pa_simple_new(nullptr, "slidora-bench-ear", PA_STREAM_RECORD, monitor.c_str(), "ear", &format,
                             nullptr, &attr, nullptr);
    if (!m_Simple) return false;
    m_Thread = std::thread([this] { Run(); });
    return true;
  }
  std::string description() const override {
    return "PulseAudio null sink " + std::to_string(kRate) + " Hz, heard on its monitor as it arrives (" +
           std::to_string(kRecordChunk) + "-frame chunks)";
  }

 private:
  void Run() {
    // The ear hears on time even on a loaded machine, as JACK's ear does.
    sched_param param{};
    param.sched_priority = kEarPriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    float buffer[kRecordChunk * 2];
    while (!m_Stop.load()) {
      if (pa_simple_read(m_Simple, buffer, sizeof buffer, nullptr) < 0) return;
      // The null sink hands its monitor what it plays as it plays it: a
      // chunk's last frame was at the output as the chunk arrived (the ear's
      // own delay counts against the program).
      const int64_t t0 = NowUs() - static_cast<int64_t>(kRecordChunk - 1) * 1000000 / kRate;
      Hear(buffer, buffer + 1, kRecordChunk, 2, t0, kRate);
    }
  }

  pa_simple* m_Simple = nullptr;
  std::thread m_Thread;
  std::atomic<bool> m_Stop{false};
};

}  // namespace

int64_t NowUs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

void SleepUs(int64_t us) { std::this_thread::sleep_for(std::chrono::microseconds(us)); }

const char* PathName(SoundPath path) { return path == SoundPath::kJack ? "JACK" : "PulseAudio"; }

SoundServer::SoundServer(SoundPath path, int jack_period) : m_Path(path), m_JackPeriod(jack_period) {
  const std::string tag = std::to_string(getpid());
  jack_set_error_function(IgnoreJack);
  jack_set_info_function(IgnoreJack);
  if (path == SoundPath::kJack) {
    const std::string name = "slidora-bench-" + tag;
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    // Real-time scheduling, as a JACK user runs it.
    m_Pid = Spawn({"jackd", "-n", name, "-R", "-d", "dummy", "-r", std::to_string(kRate), "-p",
                   std::to_string(jack_period)});
  } else {
    m_Dir = (std::filesystem::temp_directory_path() / ("slidora-bench-pulse-" + tag)).string();
    std::filesystem::create_directories(m_Dir);
    const std::string socket = m_Dir + "/native";
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    // The JACK path is not to be taken by the program.
    setenv("JACK_DEFAULT_SERVER", ("slidora-bench-none-" + tag).c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    m_Pid = Spawn({"pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1", "--disallow-exit",
                   "--use-pid-file=no", "--load=module-null-sink sink_name=" + std::string(kSinkName) +
                                            " rate=" + std::to_string(kRate) + " format=float32le",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket},
                  {"HOME=" + m_Dir, "XDG_RUNTIME_DIR=" + m_Dir, "PULSE_RUNTIME_PATH=" + m_Dir,
                   "PULSE_STATE_PATH=" + m_Dir});
  }
  const int64_t deadline = NowUs() + kServerStartUs;
  while (m_Pid > 0 && NowUs() < deadline) {
    if (waitpid(m_Pid, nullptr, WNOHANG) == m_Pid) {
      m_Pid = -1;
      break;
    }
    if (path == SoundPath::kJack ? JackAnswers() : PulseAnswers()) {
      m_Up = true;
      break;
    }
    SleepUs(50000);
  }
}

SoundServer::~SoundServer() {
  StopProcess(m_Pid);
  if (!m_Dir.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(m_Dir, ec);
  }
}

std::string SoundServer::description() const {
  return m_Path == SoundPath::kJack
             ? "jackd -R -d dummy -r 48000 -p " + std::to_string(m_JackPeriod) + " (real-time)"
             : "pulseaudio with module-null-sink, float32 48000 Hz";
}

void Ear::Hear(const float* left, const float* right, int frames, int stride, int64_t t0_us, int rate) {
  const bool expecting = m_Expecting.load();
  for (int i = 0; i < frames; ++i) {
    const float l = left[i * stride], r = right[i * stride];
    const float level = std::max(std::fabs(l), std::fabs(r));
    if (level > kHeard) {
      const int64_t t = t0_us + static_cast<int64_t>(i) * 1000000 / rate;
      m_LastSound.store(t);
      if (m_Armed.load()) {
        m_Onset.store(t);
        m_Armed.store(false);
      }
    }
    if (l == 0.0f && r == 0.0f && expecting) {
      if (++m_ZeroRun == kGapFrames) m_Gaps.fetch_add(1);
      if (m_ZeroRun > m_LongestGap.load()) m_LongestGap.store(m_ZeroRun);
    } else {
      m_ZeroRun = 0;
    }
  }
}

std::unique_ptr<Ear> OpenEar(SoundPath path) {
  if (path == SoundPath::kJack) {
    auto ear = std::make_unique<JackEar>();
    return ear->Open() ? std::move(ear) : nullptr;
  }
  auto ear = std::make_unique<PulseEar>();
  return ear->Open() ? std::move(ear) : nullptr;
}

int64_t JackServerXruns(int64_t us) {
  jack_client_t* client = jack_client_open("slidora-bench-idle", JackNoStartServer, nullptr);
  if (!client) return -1;
  std::atomic<int64_t> xruns{0};
  jack_set_xrun_callback(
      client, [](void* arg) { return static_cast<std::atomic<int64_t>*>(arg)->fetch_add(1), 0; }, &xruns);
  jack_set_process_callback(client, [](jack_nframes_t, void*) { return 0; }, nullptr);
  jack_activate(client);
  SleepUs(us);
  jack_client_close(client);
  return xruns.load();
}

BusyLoops::BusyLoops(int count) {
  for (int i = 0; i < count; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      std::atomic<uint64_t> n{0};
      for (;;) n.fetch_add(1, std::memory_order_relaxed);
    }
    if (pid > 0) m_Pids.push_back(pid);
  }
}

BusyLoops::~BusyLoops() {
  for (pid_t pid : m_Pids) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

int64_t ProcessCpuUs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  long long utime = 0, stime = 0;
  // Fields after the name start at the state (field 3); utime is 14, stime 15.
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n == 14) utime = std::atoll(field.c_str());
    if (n == 15) stime = std::atoll(field.c_str());
  }
  return (utime + stime) * 1000000 / sysconf(_SC_CLK_TCK);
}

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {0, 0, 0};
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return {values[n / 2], values[std::min(n - 1, n * 99 / 100)], values.back()};
}
