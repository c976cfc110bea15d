#include "platform/synth_render.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>

#include "platform/builtin_synth.h"
#include "platform/resampler.h"

namespace {

constexpr int kFramesPerMs = kRenderSynthRate / 1000;
static_assert(kFramesPerMs == BuiltinSynth::kBlockFrames, "a synthesizer block must be one millisecond");
// The synthesizer's sound goes to the converter a second at a time.
constexpr int64_t kChunkFrames = kRenderSynthRate;

// Synthesizer frames collected a second at a time; each full second is
// converted on another thread while the synthesizer renders the next.
class ChunkedConverter {
 public:
  ChunkedConverter(int out_rate, std::vector<int16_t>* out)
      : m_Resampler(kRenderSynthRate, out_rate), m_Out(out) {
    for (Chunk& c : m_Chunks) {
      c.left.resize(kChunkFrames);
      c.right.resize(kChunkFrames);
    }
  }
  ~ChunkedConverter() { Wait(); }

  int lookahead() const { return m_Resampler.lookahead(); }
  // Room left in the chunk being filled.
  int64_t room() const { return kChunkFrames - m_Fill; }
  float* left() { return m_Chunks[m_Current].left.data() + m_Fill; }
  float* right() { return m_Chunks[m_Current].right.data() + m_Fill; }
  void Filled(int64_t frames) {
    m_Fill += frames;
    if (m_Fill == kChunkFrames) Flush();
  }
  // Converts what is collected and waits until all is converted.
  void Finish() {
    Flush();
    Wait();
  }

 private:
  struct Chunk {
    std::vector<float> left, right;
  };
  void Wait() {
    if (m_Pending.valid()) m_Pending.get();
  }
  void Flush() {
    Wait();  // one conversion at a time: the output grows in order
    const Chunk* full = &m_Chunks[m_Current];
    const auto frames = static_cast<size_t>(m_Fill);
    m_Pending = std::async(std::launch::async,
                          [this, full, frames] { m_Resampler.Push(full->left.data(), full->right.data(), frames, m_Out); });
    m_Current ^= 1;
    m_Fill = 0;
  }

  StereoResampler m_Resampler;
  std::vector<int16_t>* m_Out;
  Chunk m_Chunks[2];
  int m_Current = 0;
  int64_t m_Fill = 0;
  std::future<void> m_Pending;
};

}  // namespace

std::vector<int16_t> RenderOffline(const std::vector<TimedShortMsg>& events,
                                   const std::string& soundfont, int sample_rate, int tail_ms,
                                   const RenderProgress& progress) {
  if (sample_rate <= 0) return {};
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(soundfont, kRenderSynthRate, true);
  if (!synth) return {};

  std::vector<TimedShortMsg> sorted = events;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TimedShortMsg& a, const TimedShortMsg& b) { return a.time_ms < b.time_ms; });
  const double end_ms =
      (sorted.empty() ? 0.0 : std::max(0.0, sorted.back().time_ms)) + std::max(0, tail_ms);
  const auto total = static_cast<size_t>(std::llround(end_ms * sample_rate / 1000.0));

  std::vector<int16_t> out;
  out.reserve(total * 2 + 4096);
  ChunkedConverter converter(sample_rate, &out);
  // The synthesizer frames that cover every output frame and the filter's look-ahead.
  const int64_t synth_total =
      static_cast<int64_t>(std::ceil(end_ms * kFramesPerMs)) + converter.lookahead() + kFramesPerMs;
  int64_t done = 0;
  auto render_to = [&](int64_t to) {
    while (done < to) {
      const int64_t n = std::min(to - done, converter.room());
      synth->RenderFloat(converter.left(), converter.right(), static_cast<int>(n));
      converter.Filled(n);
      done += n;
      if (progress && converter.room() == kChunkFrames)
        progress(std::min(1.0, static_cast<double>(done) / static_cast<double>(synth_total)));
    }
  };
  for (const TimedShortMsg& e : sorted) {
    render_to(std::llround(std::max(0.0, e.time_ms)) * kFramesPerMs);
    synth->ShortMsg(e.packed);
  }
  render_to(synth_total);
  converter.Finish();
  out.resize(total * 2);
  if (progress) progress(1.0);
  return out;
}
