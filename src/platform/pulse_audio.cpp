// The built-in synthesizer as a PulseAudio playback stream: the server asks
// for sound through the stream's write callback, which renders exactly what it
// asks for, so the buffer holds one target latency and no more. Underflows
// (the server found the buffer empty) are counted.
#include <pulse/pulseaudio.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/audio_output.h"

namespace {

constexpr const char* kAppName = "Slidora Quenlo";
constexpr const char* kStreamName = "Built-in synthesizer";
// What the server keeps queued for us, and how much it asks for at a time: a
// quarter of the target leaves three quarters of margin for a late wake-up on
// a loaded machine while the server's own wake-ups stay few.
constexpr pa_usec_t kTargetLatencyUs = 16000;
constexpr pa_usec_t kRequestUs = 4000;
// A server that takes longer than this to answer is not used.
constexpr auto kConnectTimeout = std::chrono::seconds(2);
constexpr auto kStatePoll = std::chrono::milliseconds(2);
constexpr int kChannels = 2;

class PulseOutput : public AudioOutput {
 public:
  explicit PulseOutput(AudioSource* source) : m_Source(source) {}
  ~PulseOutput() override {
    if (!m_Loop) return;
    pa_threaded_mainloop_stop(m_Loop);
    if (m_Stream) {
      pa_stream_disconnect(m_Stream);
      pa_stream_unref(m_Stream);
    }
    if (m_Context) {
      pa_context_disconnect(m_Context);
      pa_context_unref(m_Context);
    }
    pa_threaded_mainloop_free(m_Loop);
  }

  bool Open(const AudioOptions& options) {
    m_Rate = options.sample_rate;
    m_Loop = pa_threaded_mainloop_new();
    if (!m_Loop) return false;
    m_Context = pa_context_new(pa_threaded_mainloop_get_api(m_Loop), kAppName);
    // Never start a server: without one the output is simply not there.
    if (!m_Context || pa_context_connect(m_Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    if (pa_threaded_mainloop_start(m_Loop) < 0) return false;
    if (!WaitFor([this] { return ContextState(); })) return false;

    pa_threaded_mainloop_lock(m_Loop);
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(m_Rate), kChannels};
    m_Stream = pa_stream_new(m_Context, kStreamName, &format, nullptr);
    bool connected = false;
    if (m_Stream) {
      pa_stream_set_write_callback(m_Stream, OnWrite, this);
      pa_stream_set_underflow_callback(m_Stream, OnUnderflow, this);
      pa_buffer_attr attr{};
      attr.maxlength = static_cast<uint32_t>(-1);
      attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kTargetLatencyUs, &format));
      attr.prebuf = static_cast<uint32_t>(-1);
      attr.minreq = static_cast<uint32_t>(pa_usec_to_bytes(kRequestUs, &format));
      attr.fragsize = static_cast<uint32_t>(-1);
      const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
      connected = pa_stream_connect_playback(m_Stream, nullptr, &attr, flags, nullptr, nullptr) == 0;
    }
    pa_threaded_mainloop_unlock(m_Loop);
    return connected && WaitFor([this] { return StreamState(); });
  }

  std::string name() const override { return "pulseaudio"; }
  int64_t underruns() const override { return m_Underflows.load(std::memory_order_relaxed); }
  int latency_frames() const override {
    return static_cast<int>(kTargetLatencyUs * static_cast<pa_usec_t>(m_Rate) / 1000000);
  }
  int sample_rate() const override { return m_Rate; }

 private:
  // 1 ready, -1 failed, 0 still coming up.
  int ContextState() {
    const pa_context_state_t s = pa_context_get_state(m_Context);
    return s == PA_CONTEXT_READY ? 1 : PA_CONTEXT_IS_GOOD(s) ? 0 : -1;
  }
  int StreamState() {
    const pa_stream_state_t s = pa_stream_get_state(m_Stream);
    return s == PA_STREAM_READY ? 1 : PA_STREAM_IS_GOOD(s) ? 0 : -1;
  }
  // Polls a state under the loop's lock, with a bound on the wait.
  template <class State>
  bool WaitFor(State state) {
    const auto deadline = std::chrono::steady_clock::now() + kConnectTimeout;
    for (;;) {
      pa_threaded_mainloop_lock(m_Loop);
      const int s = state();
      pa_threaded_mainloop_unlock(m_Loop);
      if (s != 0) return s > 0;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(kStatePoll);
    }
  }

  static void OnWrite(pa_stream* stream, size_t bytes, void* arg) {
    auto* self = static_cast<PulseOutput*>(arg);
    if (!self->m_Prioritised) {
      TryRealtimeAudioThread();
      self->m_Prioritised = true;
    }
    constexpr size_t kFrameBytes = sizeof(float) * kChannels;
    while (bytes >= kFrameBytes) {
      void* data = nullptr;
      size_t n = bytes;
      if (pa_stream_begin_write(stream, &data, &n) < 0 || !data) return;
      const int frames = static_cast<int>(n / kFrameBytes);
      auto* out = static_cast<float*>(data);
      self->m_Source->RenderAudio(out, out + 1, frames, kChannels);
      pa_stream_write(stream, data, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
      bytes -= frames * kFrameBytes;
    }
  }
  static void OnUnderflow(pa_stream*, void* arg) {
    static_cast<PulseOutput*>(arg)->m_Underflows.fetch_add(1, std::memory_order_relaxed);
  }

  AudioSource* m_Source;
  pa_threaded_mainloop* m_Loop = nullptr;
  pa_context* m_Context = nullptr;
  pa_stream* m_Stream = nullptr;
  int m_Rate = 0;
  bool m_Prioritised = false;  // touched by the loop's thread only
  std::atomic<int64_t> m_Underflows{0};
};

}  // namespace

std::unique_ptr<AudioOutput> OpenPulseOutput(AudioSource* source, const AudioOptions& options) {
  auto output = std::make_unique<PulseOutput>(source);
  if (!output->Open(options)) return nullptr;
  return output;
}
