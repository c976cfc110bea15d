// Live audio of the built-in synthesizer: the first output that opens, in the
// order JACK, PulseAudio, ALSA, SDL. The synthesizer rests while silent, so an
// idle program costs almost nothing.
#include <algorithm>
#include <cmath>

#include "platform/builtin_synth_impl.h"

int BuiltinSynth::StartAudio(bool connect_outputs) {
  if (m_Impl->audio) return 0;
  AudioOptions options;
  options.sample_rate = m_SampleRate;
  options.connect_outputs = connect_outputs;
  Impl* source = m_Impl.get();
  m_Impl->audio = OpenJackOutput(source, options);
  if (!m_Impl->audio) m_Impl->audio = OpenPulseOutput(source, options);
  if (!m_Impl->audio) m_Impl->audio = OpenFluidDriverOutput("alsa", source, options);
  if (!m_Impl->audio) m_Impl->audio = OpenFluidDriverOutput("sdl2", source, options);
  return m_Impl->audio ? 0 : 1;
}

void BuiltinSynth::StopAudio() { m_Impl->audio.reset(); }

bool BuiltinSynth::audio_running() const { return m_Impl->audio != nullptr; }

std::string BuiltinSynth::audio_driver() const { return m_Impl->audio ? m_Impl->audio->name() : ""; }

int64_t BuiltinSynth::audio_underruns() const { return m_Impl->audio ? m_Impl->audio->underruns() : -1; }

std::vector<std::string> BuiltinSynth::audio_connections() const {
  return m_Impl->audio ? m_Impl->audio->connections() : std::vector<std::string>{};
}

double BuiltinSynth::audio_latency_ms() const {
  if (!m_Impl->audio) return 0;
  return 1000.0 * m_Impl->audio->latency_frames() / m_Impl->audio->sample_rate();
}

void BuiltinSynth::RenderLive(float* left, float* right, int frames, int stride) {
  m_Impl->RenderAudio(left, right, frames, stride);
}

void BuiltinSynth::Impl::RenderAudio(float* left, float* right, int frames, int stride) {
  if (loading.load(std::memory_order_acquire) || !gate.BeginBuffer()) {
    for (int i = 0; i < frames; ++i) left[i * stride] = right[i * stride] = 0.0f;
    return;
  }
  fluid_synth_write_float(synth, frames, left, 0, stride, right, 0, stride);
  float peak = 0.0f;
  for (int i = 0; i < frames; ++i) {
    peak = std::max({peak, std::fabs(left[i * stride]), std::fabs(right[i * stride])});
  }
  gate.EndBuffer(peak, frames, [this] { return fluid_synth_get_active_voice_count(synth) > 0; });
}

void BuiltinSynth::Impl::UseSampleRate(int rate) {
  // The output's rate is known only once it is open, before it plays.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  fluid_synth_set_sample_rate(synth, static_cast<float>(rate));
#pragma GCC diagnostic pop
}
