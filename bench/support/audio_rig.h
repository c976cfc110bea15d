// What the sound benchmarks stand on: a private sound server (a JACK dummy
// server, or a PulseAudio daemon with a null sink), an "ear" that hears the
// program's output there and says when sound began, and busy loops to load
// the cores. Times are CLOCK_MONOTONIC microseconds, the program's and the
// servers' clock.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

int64_t NowUs();
void SleepUs(int64_t us);

enum class SoundPath { kJack, kPulse };
const char* PathName(SoundPath path);

// A sound server of the benchmark's own, stopped when the object goes. The
// environment of this process (and of children started later) points at it.
class SoundServer {
 public:
  // jack_period: the JACK server's period in frames (PulseAudio ignores it).
  explicit SoundServer(SoundPath path, int jack_period = 128);
  ~SoundServer();
  SoundServer(const SoundServer&) = delete;
  SoundServer& operator=(const SoundServer&) = delete;
  bool up() const { return m_Up; }
  std::string description() const;

 private:
  SoundPath m_Path;
  int m_JackPeriod;
  pid_t m_Pid = -1;
  std::string m_Dir;
  bool m_Up = false;
};

// Listens to the program's output. Onset: the time the first sample above
// kHeard reached the output after Arm().
class Ear {
 public:
  static constexpr float kHeard = 1e-4f;  // -80 dB of full scale
  virtual ~Ear() = default;
  void Arm() {
    m_Onset.store(0);
    m_Armed.store(true);
  }
  int64_t onset_us() const { return m_Onset.load(); }
  int64_t last_sound_us() const { return m_LastSound.load(); }
  // Runs of digital silence of 1 ms or more heard while Expecting(true).
  int64_t gaps() const { return m_Gaps.load(); }
  double longest_gap_ms() const { return m_LongestGap.load() / 48.0; }
  void Expecting(bool sound) {
    m_ZeroRun = 0;
    m_Expecting.store(sound);
  }
  // The ear's own estimate of how late its timestamps may be (for the report).
  virtual std::string description() const = 0;

 protected:
  // One buffer of the output; t0 is when its first frame was at the output.
  void Hear(const float* left, const float* right, int frames, int stride, int64_t t0_us, int rate);

 private:
  std::atomic<bool> m_Armed{false};
  std::atomic<int64_t> m_Onset{0};
  std::atomic<int64_t> m_LastSound{0};
  std::atomic<bool> m_Expecting{false};
  std::atomic<int64_t> m_Gaps{0};
  std::atomic<int64_t> m_LongestGap{0};
  int64_t m_ZeroRun = 0;  // the ear's thread only
};

// Connects to the server: JACK ports "slidora:left/right", or the null sink's
// monitor. nullptr when it cannot.
std::unique_ptr<Ear> OpenEar(SoundPath path);

// Xruns of the JACK server over the given time, heard by a client that does
// nothing: what the machine costs the server without the program's part.
int64_t JackServerXruns(int64_t us);

// Processes that spin on the processor until the object goes.
class BusyLoops {
 public:
  explicit BusyLoops(int count);
  ~BusyLoops();
  BusyLoops(const BusyLoops&) = delete;
  BusyLoops& operator=(const BusyLoops&) = delete;

 private:
  std::vector<pid_t> m_Pids;
};

// Processor time (user and system) a process has used, in microseconds.
int64_t ProcessCpuUs(pid_t pid);

struct Spread {
  double median, p99, max;
};
Spread SpreadOf(std::vector<double> values);
