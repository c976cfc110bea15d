// The built-in synthesizer as a JACK client: two output ports filled in the
// server's process cycle, connected to the physical playback ports as a media
// player does (unless the settings say not to), xruns counted.
#include <jack/jack.h>

#include <atomic>
#include <cerrno>

#include "platform/audio_output.h"
#include "platform/jack_support.h"

namespace {

constexpr const char* kClientName = "slidora";
constexpr const char* kPortNames[2] = {"left", "right"};
constexpr int kConnectAttempts = 3;

class JackOutput : public AudioOutput {
 public:
  explicit JackOutput(AudioSource* source) : m_Source(source) {}
  ~JackOutput() override {
    if (m_Client) jack_client_close(m_Client);
  }

  bool Open(const AudioOptions& options) {
    m_Client = jack_client_open(kClientName, JackNoStartServer, nullptr);
    if (!m_Client) return false;
    for (int i = 0; i < 2; ++i) {
      m_Ports[i] = jack_port_register(m_Client, kPortNames[i], JACK_DEFAULT_AUDIO_TYPE,
                                      JackPortIsOutput | JackPortIsTerminal, 0);
      if (!m_Ports[i]) return false;
    }
    m_Rate = static_cast<int>(jack_get_sample_rate(m_Client));
    if (m_Rate != options.sample_rate) m_Source->UseSampleRate(m_Rate);
    jack_set_process_callback(m_Client, Process, this);
    jack_set_xrun_callback(m_Client, Xrun, this);
    jack_on_shutdown(m_Client, Shutdown, this);
    if (jack_activate(m_Client) != 0) return false;
    if (options.connect_outputs) ConnectToPlayback();
    return true;
  }

  std::string name() const override { return "jack"; }
  int64_t underruns() const override { return m_Xruns.load(std::memory_order_relaxed); }
  int latency_frames() const override {
    if (m_Gone.load(std::memory_order_acquire)) return 0;
    jack_latency_range_t range{};
    jack_port_get_latency_range(m_Ports[0], JackPlaybackLatency, &range);
    return static_cast<int>(range.max);
  }
  int sample_rate() const override { return m_Rate; }
  std::vector<std::string> connections() const override {
    std::vector<std::string> list;
    if (m_Gone.load(std::memory_order_acquire)) return list;
    for (int i = 0; i < 2; ++i) {
      const char** to = jack_port_get_connections(m_Ports[i]);
      for (int k = 0; to && to[k]; ++k) list.push_back(std::string(kPortNames[i]) + ": " + to[k]);
      if (to) jack_free(to);
    }
    return list;
  }

 private:
  void ConnectToPlayback() {
    const char** playback = jack_get_ports(m_Client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                           JackPortIsPhysical | JackPortIsInput);
    if (!playback) return;
    // A single playback port takes both sides.
    for (int i = 0; i < 2 && playback[0]; ++i) {
      const char* to = playback[1] ? playback[i] : playback[0];
      // A server slow to answer may fail a request once; EEXIST is success.
      for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        const int result = jack_connect(m_Client, jack_port_name(m_Ports[i]), to);
        if (result == 0 || result == EEXIST) break;
      }
    }
    jack_free(playback);
  }

  static int Process(jack_nframes_t frames, void* arg) {
    auto* self = static_cast<JackOutput*>(arg);
    auto* left = static_cast<float*>(jack_port_get_buffer(self->m_Ports[0], frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(self->m_Ports[1], frames));
    self->m_Source->RenderAudio(left, right, static_cast<int>(frames), 1);
    return 0;
  }
  static int Xrun(void* arg) {
    static_cast<JackOutput*>(arg)->m_Xruns.fetch_add(1, std::memory_order_relaxed);
    return 0;
  }
  // The server went away: the client is dead but must still be closed.
  static void Shutdown(void* arg) { static_cast<JackOutput*>(arg)->m_Gone.store(true, std::memory_order_release); }

  AudioSource* m_Source;
  jack_client_t* m_Client = nullptr;
  jack_port_t* m_Ports[2] = {};
  int m_Rate = 0;
  std::atomic<int64_t> m_Xruns{0};
  std::atomic<bool> m_Gone{false};
};

}  // namespace

std::unique_ptr<AudioOutput> OpenJackOutput(AudioSource* source, const AudioOptions& options) {
  SilenceJackLog();
  auto output = std::make_unique<JackOutput>(source);
  if (!output->Open(options)) return nullptr;
  return output;
}
