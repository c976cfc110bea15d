// Offline rendering of a performance, a second of audio at a time between messages.
#include "app/song_render.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/builtin_synth.h"

namespace {
constexpr int kStereo = 2;
constexpr double kMsPerSecond = 1000.0;
}  // namespace

int RenderSong(const std::vector<TimedShortMsg>& messages, const std::string& soundfont,
               int sampleRate, int tailMs, const RenderProgress& progress,
               std::vector<int16_t>* samples) {
  samples->clear();
  SilenceSynthLog();
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(soundfont, sampleRate);
  if (!synth || sampleRate <= 0) return 1;

  auto frameOf = [sampleRate](double ms) {
    return static_cast<int64_t>(std::llround(std::max(0.0, ms) * sampleRate / kMsPerSecond));
  };
  const double lastMs = messages.empty() ? 0.0 : messages.back().time_ms;
  const int64_t total = frameOf(lastMs + std::max(0, tailMs));
  samples->assign(static_cast<size_t>(total) * kStereo, 0);

  // Renders up to frame `to` in pieces of at most a second, reporting progress.
  int64_t done = 0;
  auto renderTo = [&](int64_t to) {
    while (done < to) {
      const int64_t n = std::min<int64_t>(to - done, sampleRate);
      synth->Render(samples->data() + done * kStereo, static_cast<int>(n));
      done += n;
      if (progress) progress(static_cast<double>(done) / static_cast<double>(total));
    }
  };
  // Messages keep their order; a time earlier than the one before counts as that one.
  for (const TimedShortMsg& m : messages) {
    renderTo(std::max(done, std::min(frameOf(m.time_ms), total)));
    synth->ShortMsg(m.packed);
  }
  renderTo(total);
  if (progress) progress(1.0);
  return 0;
}
