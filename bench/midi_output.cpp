// Speed of the MIDI output: messages a second through SendShort into the
// recording port and into the built-in synthesizer, and the time to render a
// minute of dense chords offline, beside FluidSynth's own command-line
// renderer on the same notes written as a standard MIDI file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/reset.h"
#include "midi/midi_port.h"
#include "platform/builtin_synth.h"
#include "platform/platform.h"
#include "platform/recording_midi.h"
#include "platform/synth_render.h"

namespace {

const char* const kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
const char* const kDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr int kRenderSeconds = 60;
constexpr int kChordEveryMs = 250;
constexpr int kBendEveryMs = 20;
constexpr int kPairChannels[] = {0, 2, 4, 6, 10, 12, 14};
constexpr int kChordNotes[] = {67, 64, 60, 57, 55, 52, 48, 45};  // C6 open strings

// The built-in synthesizer as an always-open port, without audio.
class SynthPort : public MidiOutDriver {
 public:
  explicit SynthPort(BuiltinSynth* synth) : m_Synth(synth) {}
  int GetNumDevs() override { return 0; }
  int GetDevCaps(int, MidiOutCaps*) override { return MMSYSERR_BADDEVICEID; }
  int Open(int) override { return 0; }
  void ShortMsg(uint32_t packed) override { m_Synth->ShortMsg(packed); }
  void Reset() override { m_Synth->Reset(); }
  void Close() override {}

 private:
  BuiltinSynth* m_Synth;
};

// Note on and off on one channel pair with a bend between: what a string sends.
// Every so often the synthesizer renders, untimed, as its audio thread would,
// so that released voices end instead of piling up.
void SendStringPattern(benchmark::State& state, BuiltinSynth* synth = nullptr) {
  constexpr int kRenderEvery = 256;  // iterations
  std::vector<int16_t> audio(2 * kRenderEvery);
  int i = 0;
  for (auto _ : state) {
    if (synth && i % kRenderEvery == 0) {
      state.PauseTiming();
      synth->Render(audio.data(), kRenderEvery);
      state.ResumeTiming();
    }
    const int ch = kPairChannels[i % 7];
    SendShort(0xE0 | ch, i & 0x7F, 64);
    SendShort(0x90 | ch, 60 + (i & 7), 100);
    SendShort(0x80 | ch, 60 + (i & 7), 0);
    ++i;
  }
  state.SetItemsProcessed(state.iterations() * 3);
}

void BM_SendShortToRecordingPort(benchmark::State& state) {
  ResetAllState();
  RecordingMidiOut port;
  g_Platform.midi = &port;
  OpenDevice(-1);
  SendStringPattern(state);
  CloseDevice();
  g_Platform.midi = nullptr;
}
BENCHMARK(BM_SendShortToRecordingPort);

void BM_SendShortToBuiltinSynth(benchmark::State& state) {
  ResetAllState();
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(kSmallSoundFont, kRenderSampleRate);
  if (!synth) {
    state.SkipWithError("no SoundFont");
    return;
  }
  SynthPort port(synth.get());
  g_Platform.midi = &port;
  OpenDevice(-1);
  SendStringPattern(state, synth.get());
  CloseDevice();
  g_Platform.midi = nullptr;
}
BENCHMARK(BM_SendShortToBuiltinSynth);

// A minute of chords on all seven pairs (16 voices a chord, both layers), a
// new chord every 250 ms, every pair bending every 20 ms.
std::vector<TimedShortMsg> DenseChords() {
  std::vector<TimedShortMsg> events;
  for (int c : kPairChannels) {
    events.push_back({0, static_cast<uint32_t>(0xC0 | c) | 26u << 8});
    events.push_back({0, static_cast<uint32_t>(0xC0 | (c + 1)) | 74u << 8});
  }
  int chord = 0;
  for (int t = 0; t < kRenderSeconds * 1000; t += kBendEveryMs) {
    if (t % kChordEveryMs == 0) {
      for (int s = 0; s < 8; ++s) {
        const uint32_t ch = kPairChannels[s % 7];
        const uint32_t old_note = kChordNotes[s] + (chord + 11) % 12;
        const uint32_t note = kChordNotes[s] + chord % 12;
        for (uint32_t v = 0; v < 2; ++v) {
          if (chord > 0) events.push_back({double(t), (0x80 | (ch + v)) | old_note << 8 | 127u << 16});
          events.push_back({double(t), (0x90 | (ch + v)) | note << 8 | 100u << 16});
        }
      }
      ++chord;
    }
    const uint32_t bend = 8192 + ((t / kBendEveryMs) % 24 - 12) * 28;
    for (int c : kPairChannels) {
      for (int v = 0; v < 2; ++v) {
        events.push_back({double(t), (0xE0u | (c + v)) | (bend & 0x7F) << 8 | (bend >> 7) << 16});
      }
    }
  }
  // The last chord is let go at the end: FluidSynth's own renderer plays on
  // until every voice has died away.
  const double end = kRenderSeconds * 1000.0;
  for (int s = 0; s < 8; ++s) {
    const uint32_t ch = kPairChannels[s % 7];
    const uint32_t note = kChordNotes[s] + (chord + 11) % 12;
    for (uint32_t v = 0; v < 2; ++v) events.push_back({end, (0x80 | (ch + v)) | note << 8 | 127u << 16});
  }
  return events;
}

// A format-0 standard MIDI file whose ticks are milliseconds.
void WriteMidiFile(const std::vector<TimedShortMsg>& events, const std::string& path) {
  std::vector<uint8_t> track;
  auto var = [&](uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while (v >>= 7) bytes[n++] = 0x80 | (v & 0x7F);
    while (n) track.push_back(bytes[--n]);
  };
  // Tempo 1,000,000 us a quarter at 1000 ticks a quarter: one tick is 1 ms.
  track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});
  double last = 0;
  for (const TimedShortMsg& e : events) {
    var(static_cast<uint32_t>(e.time_ms - last));
    last = e.time_ms;
    const int status = e.packed & 0xFF;
    track.push_back(status);
    track.push_back((e.packed >> 8) & 0x7F);
    if ((status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0) track.push_back((e.packed >> 16) & 0x7F);
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::ofstream out(path, std::ios::binary);
  const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0xE8};
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  const uint32_t size = track.size();
  const uint8_t track_header[] = {'M', 'T', 'r', 'k', uint8_t(size >> 24), uint8_t(size >> 16),
                                  uint8_t(size >> 8), uint8_t(size)};
  out.write(reinterpret_cast<const char*>(track_header), sizeof track_header);
  out.write(reinterpret_cast<const char*>(track.data()), track.size());
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor seconds used so far by this process, or by its finished children.
double CpuSeconds(int who) {
  rusage use{};
  getrusage(who, &use);
  return use.ru_utime.tv_sec + use.ru_stime.tv_sec +
         (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

void CompareRenderers(const char* soundfont) {
  if (!std::filesystem::exists(soundfont)) return;
  const std::vector<TimedShortMsg> events = DenseChords();
  const std::string dir = std::filesystem::temp_directory_path() / "slidora-bench";
  std::filesystem::create_directories(dir);
  const std::string mid = dir + "/chords.mid";
  const std::string wav = dir + "/chords.wav";
  WriteMidiFile(events, mid);

  // The machine may be shared: processor time is the fair measure, wall time
  // is shown beside it.
  auto start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds(RUSAGE_SELF);
  const std::vector<int16_t> ours = RenderOffline(events, soundfont, kRenderSampleRate, 1000);
  const double ours_s = Seconds(start);
  const double ours_cpu = CpuSeconds(RUSAGE_SELF) - cpu;

  const std::string command = "fluidsynth -ni -q -r " + std::to_string(kRenderSampleRate) + " -F " +
                              wav + " " + soundfont + " " + mid + " >/dev/null 2>&1";
  start = std::chrono::steady_clock::now();
  cpu = CpuSeconds(RUSAGE_CHILDREN);
  const int status = std::system(command.c_str());
  const double theirs_s = Seconds(start);
  const double theirs_cpu = CpuSeconds(RUSAGE_CHILDREN) - cpu;

  std::printf("render %d s of dense chords (%zu messages), %s:\n", kRenderSeconds, events.size(),
              soundfont);
  std::printf("  RenderOffline      cpu %6.2f s (%.0fx real time), wall %6.2f s, %zu frames\n",
              ours_cpu, kRenderSeconds / ours_cpu, ours_s, ours.size() / 2);
  if (status == 0) {
    std::printf("  fluidsynth -ni -F  cpu %6.2f s (%.0fx real time), wall %6.2f s\n", theirs_cpu,
                kRenderSeconds / theirs_cpu, theirs_s);
  } else {
    std::printf("  fluidsynth -ni -F        not available\n");
  }
  std::filesystem::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  // "--write-midi PATH" only writes the chord pattern as a MIDI file.
  if (argc == 3 && std::string(argv[1]) == "--write-midi") {
    WriteMidiFile(DenseChords(), argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  CompareRenderers(kSmallSoundFont);
  CompareRenderers(kDefaultSoundFont);
  return 0;
}
