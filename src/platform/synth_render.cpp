#include "platform/synth_render.h"

#include <algorithm>
#include <cmath>

#include "platform/builtin_synth.h"

std::vector<int16_t> RenderOffline(const std::vector<TimedShortMsg>& events,
                                   const std::string& soundfont, int sample_rate, int tail_ms) {
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(soundfont, sample_rate);
  if (!synth || sample_rate <= 0) return {};

  std::vector<TimedShortMsg> sorted = events;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TimedShortMsg& a, const TimedShortMsg& b) { return a.time_ms < b.time_ms; });
  auto frame_of = [sample_rate](double ms) {
    return static_cast<int64_t>(std::llround(std::max(0.0, ms) * sample_rate / 1000.0));
  };
  const double end_ms = (sorted.empty() ? 0.0 : sorted.back().time_ms) + std::max(0, tail_ms);
  const int64_t total = frame_of(end_ms);

  std::vector<int16_t> out(static_cast<size_t>(total) * 2);
  int64_t done = 0;
  for (const TimedShortMsg& e : sorted) {
    const int64_t at = std::min(frame_of(e.time_ms), total);
    if (at > done) {
      synth->Render(out.data() + done * 2, static_cast<int>(at - done));
      done = at;
    }
    synth->ShortMsg(e.packed);
  }
  if (total > done) synth->Render(out.data() + done * 2, static_cast<int>(total - done));
  return out;
}
