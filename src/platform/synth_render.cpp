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
// converted on another thread while the synthesizer renders the next, and the
// converted sound goes to the sink, in order, from the rendering thread.
class ChunkedConverter {
 public:
  ChunkedConverter(int out_rate, int64_t total_samples, const RenderSink& sink)
      : m_Resampler(kRenderSynthRate, out_rate), m_Sink(sink), m_Remaining(total_samples) {
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
  // Converts what is collected, waits until all is converted and delivered,
  // and makes up the exact length. False when the sink refused.
  bool Finish() {
    Flush();
    Wait();
    // The converter may stop a little short of the end: silence makes it up.
    m_Converted.assign(static_cast<size_t>(std::max<int64_t>(0, m_Remaining)), 0);
    Deliver();
    return m_Ok;
  }
  bool ok() const { return m_Ok; }

 private:
  struct Chunk {
    std::vector<float> left, right;
  };
  void Wait() {
    if (!m_Pending.valid()) return;
    m_Pending.get();
    Deliver();
  }
  void Deliver() {
    const int64_t n = std::min<int64_t>(static_cast<int64_t>(m_Converted.size()), m_Remaining);
    if (n > 0 && m_Ok) m_Ok = m_Sink(m_Converted.data(), static_cast<size_t>(n));
    m_Remaining -= std::max<int64_t>(0, n);
    m_Converted.clear();
  }
  void Flush() {
    Wait();  // one conversion at a time: the output goes out in order
    const Chunk* full = &m_Chunks[m_Current];
    const auto frames = static_cast<size_t>(m_Fill);
    m_Pending = std::async(std::launch::async, [this, full, frames] {
      m_Resampler.Push(full->left.data(), full->right.data(), frames, &m_Converted);
    });
    m_Current ^= 1;
    m_Fill = 0;
  }

  StereoResampler m_Resampler;
  const RenderSink& m_Sink;
  int64_t m_Remaining;             // samples the sink is still owed
  std::vector<int16_t> m_Converted;  // written by the conversion, read after it
  bool m_Ok = true;
  Chunk m_Chunks[2];
  int m_Current = 0;
  int64_t m_Fill = 0;
  std::future<void> m_Pending;
};

double EndMs(const std::vector<TimedShortMsg>& events, int tail_ms) {
  double last = 0.0;
  for (const TimedShortMsg& e : events) last = std::max(last, e.time_ms);
  return last + std::max(0, tail_ms);
}

}  // namespace

int64_t RenderedFrames(const std::vector<TimedShortMsg>& events, int sample_rate, int tail_ms) {
  return std::llround(EndMs(events, tail_ms) * sample_rate / 1000.0);
}

int RenderOfflineTo(const std::vector<TimedShortMsg>& events, const std::string& soundfont,
                    int sample_rate, int tail_ms, const RenderSink& sink, const RenderProgress& progress) {
  if (sample_rate <= 0) return 1;
  std::unique_ptr<BuiltinSynth> synth = BuiltinSynth::Create(soundfont, kRenderSynthRate, true);
  if (!synth) return 1;

  std::vector<TimedShortMsg> sorted = events;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TimedShortMsg& a, const TimedShortMsg& b) { return a.time_ms < b.time_ms; });
  const double end_ms = EndMs(sorted, tail_ms);
  ChunkedConverter converter(sample_rate, RenderedFrames(sorted, sample_rate, tail_ms) * 2, sink);
  // The synthesizer frames that cover every output frame and the filter's look-ahead.
  const int64_t synth_total =
      static_cast<int64_t>(std::ceil(end_ms * kFramesPerMs)) + converter.lookahead() + kFramesPerMs;
  int64_t done = 0;
  auto render_to = [&](int64_t to) {
    while (done < to && converter.ok()) {
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
  if (!converter.Finish()) return 2;
  if (progress) progress(1.0);
  return 0;
}

std::vector<int16_t> RenderOffline(const std::vector<TimedShortMsg>& events,
                                   const std::string& soundfont, int sample_rate, int tail_ms,
                                   const RenderProgress& progress) {
  std::vector<int16_t> out;
  if (sample_rate > 0) out.reserve(static_cast<size_t>(RenderedFrames(events, sample_rate, tail_ms)) * 2);
  const RenderSink collect = [&out](const int16_t* samples, size_t count) {
    out.insert(out.end(), samples, samples + count);
    return true;
  };
  if (RenderOfflineTo(events, soundfont, sample_rate, tail_ms, collect, progress) != 0) return {};
  return out;
}
