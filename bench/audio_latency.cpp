// End-to-end latency of the built-in synthesizer: from a key event entering
// the program (its frame's message procedure) to the first sound at the audio
// output, heard by a capture client on a private JACK dummy server and on the
// monitor of a private PulseAudio null sink. Per path: 200 presses on a quiet
// machine, 200 more beside two busy loops, then 60 s of held and repeated
// notes beside the busy loops, counting underruns (the output's own count) and
// runs of digital silence heard inside held notes.
//
//   build/bench_audio_latency [jack|pulse] [presses] [seconds] [JACK period]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/headless.h"
#include "midi/midi_port.h"
#include "platform/builtin_synth.h"
#include "platform/system_midi.h"
#include "support/audio_rig.h"

namespace {

constexpr int kDefaultPresses = 200;
constexpr int kDefaultSeconds = 60;
constexpr int kBusyLoops = 2;
constexpr int kJackPeriod = 128;  // frames: 2.7 ms at 48 kHz, a usual low-latency setting
constexpr Point kString1 = {81, 147};  // the upper neck's top string
constexpr int kKeySolo = '1';
constexpr int kKeyFour = '4';
constexpr int64_t kQuietBeforePressUs = 30000;
constexpr int64_t kHeardWithinUs = 1000000;
constexpr int64_t kHoldUs = 40000;
constexpr double kGoalMs[] = {10.0, 20.0};  // JACK, PulseAudio p99
constexpr double kNotHeard = -1e9;

struct Run {
  std::vector<double> ms;
  int missed = 0;
  // Sound stamped before the key went down: a louder moment of the last
  // note's tail, not this press's onset, which then goes unmeasured.
  int early = 0;
};

bool WaitUntil(const std::function<bool()>& done, int64_t timeout_us) {
  const int64_t deadline = NowUs() + timeout_us;
  while (!done()) {
    if (NowUs() > deadline) return false;
    SleepUs(100);
  }
  return true;
}

// One press of a key, held for hold_us: the time from the key event to sound
// at the output, or -1 when nothing was heard.
double Press(HeadlessSystem& system, Ear& ear, int key, int64_t hold_us, std::mt19937& random) {
  WaitUntil([&] { return NowUs() - ear.last_sound_us() > kQuietBeforePressUs; }, 3000000);
  // Presses fall anywhere in the output's cycle.
  SleepUs(std::uniform_int_distribution<int>(0, 5000)(random));
  ear.Arm();
  const int64_t t0 = NowUs();
  system.KeyDown(key);
  const bool heard = WaitUntil([&] { return ear.onset_us() != 0; }, kHeardWithinUs);
  ear.Expecting(heard);
  SleepUs(hold_us);
  ear.Expecting(false);
  system.KeyUp(key);
  return heard ? (ear.onset_us() - t0) / 1000.0 : kNotHeard;
}

Run Presses(HeadlessSystem& system, Ear& ear, int count) {
  std::mt19937 random(7);
  Run run;
  for (int i = 0; i < count; ++i) {
    const double ms = Press(system, ear, kKeySolo, kHoldUs, random);
    if (ms == kNotHeard) {
      ++run.missed;
    } else if (ms < 0) {
      ++run.early;
    } else {
      run.ms.push_back(ms);
    }
  }
  return run;
}

void Report(const char* what, const Run& run, int64_t underruns, double goal_ms) {
  const Spread s = SpreadOf(run.ms);
  std::printf("  %-32s %3zu presses: median %6.2f ms, p99 %6.2f ms, max %6.2f ms (goal p99 <= %.0f ms: %s)",
              what, run.ms.size(), s.median, s.p99, s.max, goal_ms, s.p99 <= goal_ms ? "met" : "MISSED");
  std::printf("; underruns %lld", static_cast<long long>(underruns));
  if (run.missed) std::printf("; %d presses not heard", run.missed);
  if (run.early) std::printf("; %d left out (sound already there at the key)", run.early);
  std::printf("\n");
}

// Held chords and quick repeated notes for the given time.
void Sustained(HeadlessSystem& system, Ear& ear, int seconds, BuiltinSynth& synth) {
  std::mt19937 random(11);
  const int64_t gaps0 = ear.gaps();
  const int64_t underruns0 = synth.audio_underruns();
  const int64_t end = NowUs() + seconds * 1000000LL;
  int notes = 0;
  while (NowUs() < end) {
    Press(system, ear, kKeyFour, 1500000, random);  // four strings held 1.5 s
    ++notes;
    for (int i = 0; i < 10 && NowUs() < end; ++i, ++notes) {
      ear.Arm();
      system.KeyDown(kKeySolo);
      SleepUs(80000);
      system.KeyUp(kKeySolo);
      SleepUs(20000);
    }
  }
  std::printf("  %d s of held and repeated notes beside %d busy loops (%d presses): underruns %lld, "
              "silent gaps inside held notes %lld (goal: 0 and 0: %s)\n",
              seconds, kBusyLoops, notes, static_cast<long long>(synth.audio_underruns() - underruns0),
              static_cast<long long>(ear.gaps() - gaps0),
              synth.audio_underruns() == underruns0 && ear.gaps() == gaps0 ? "met" : "MISSED");
}

int MeasurePath(SoundPath path, int presses, int seconds, int jack_period) {
  std::printf("== %s\n", PathName(path));
  SoundServer server(path, jack_period);
  if (!server.up()) {
    std::printf("  no %s server could be started here; skipped\n", PathName(path));
    return 0;
  }
  std::printf("  server: %s\n", server.description().c_str());
  const double goal = kGoalMs[path == SoundPath::kJack ? 0 : 1];
  // PulseAudio's null sink sleeps in blocks of up to 2 s while nothing asks
  // it for a short latency, and a stream that connects meanwhile is first
  // asked for sound when the block ends. The ear on its monitor asks for a
  // short latency, so it listens from before the program opens: a sound card
  // wakes at once. JACK's ear needs the program's ports, so it comes after.
  std::unique_ptr<Ear> ear;
  if (path == SoundPath::kPulse) ear = OpenEar(path);
  SystemMidiOut midi((std::filesystem::current_path() / "SLD.ini").string());
  HeadlessSystem system;
  g_Platform.midi = &midi;
  system.StartUp();
  BuiltinSynth* synth = midi.synth();
  const std::string expected = path == SoundPath::kJack ? "jack" : "pulseaudio";
  if (!g_bMidiOutOpen || g_MidiOutDevice != -1 || !synth || synth->audio_driver() != expected) {
    std::printf("  the built-in synthesizer did not open on %s\n", expected.c_str());
    return 1;
  }
  synth->WaitForSoundFont();
  if (!ear) ear = OpenEar(path);
  if (!ear) {
    std::printf("  the capture client could not connect\n");
    return 1;
  }
  std::printf("  output: %s, %.1f ms of buffering; ear: %s\n", synth->audio_driver().c_str(),
              synth->audio_latency_ms(), ear->description().c_str());
  system.MouseMove(kString1);
  system.Wait(20);
  Presses(system, *ear, 5);  // the voices are set up at the first press

  int64_t underruns = synth->audio_underruns();
  Run quiet = Presses(system, *ear, presses);
  Report("quiet machine:", quiet, synth->audio_underruns() - underruns, goal);
  {
    BusyLoops busy(kBusyLoops);
    underruns = synth->audio_underruns();
    Run loaded = Presses(system, *ear, presses);
    Report("beside two busy loops:", loaded, synth->audio_underruns() - underruns, goal);
    Sustained(system, *ear, seconds, *synth);
    if (path == SoundPath::kJack) {
      std::printf("  for comparison, the JACK server with an empty client beside the busy loops: %lld xruns in 20 s\n",
                  static_cast<long long>(JackServerXruns(20000000)));
    }
  }
  ear.reset();
  system.Close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // the figures as they come
  std::vector<SoundPath> paths = {SoundPath::kJack, SoundPath::kPulse};
  if (argc > 1 && std::strcmp(argv[1], "jack") == 0) paths = {SoundPath::kJack};
  if (argc > 1 && std::strcmp(argv[1], "pulse") == 0) paths = {SoundPath::kPulse};
  const int presses = argc > 2 ? std::atoi(argv[2]) : kDefaultPresses;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : kDefaultSeconds;
  const int jack_period = argc > 4 ? std::atoi(argv[4]) : kJackPeriod;

  const std::filesystem::path old_dir = std::filesystem::current_path();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("slidora-bench-audio-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  // The program's default SoundFont; no reverb or chorus, so that a note's
  // end falls silent soon and the next onset stands out.
  std::ofstream("SLD.ini") << "[MIDI]\nReverbTime=0\nChorusLevel=0\n";
  std::printf("load average when starting: ");
  std::fflush(stdout);
  std::system("cut -d' ' -f1-3 /proc/loadavg");
  int status = 0;
  for (SoundPath path : paths) status |= MeasurePath(path, presses, seconds, jack_period);
  std::filesystem::current_path(old_dir);
  std::filesystem::remove_all(dir);
  return status;
}
