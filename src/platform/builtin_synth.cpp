#include "platform/builtin_synth.h"

#include <fluidsynth.h>

#include "platform/builtin_synth_impl.h"

namespace {

constexpr int kPolyphony = 256;          // voices
constexpr const char* kBankSelectMode = "gs";  // controller 0 picks the bank, 32 is ignored
constexpr uint32_t kCcSustain = 64;
constexpr uint32_t kCcAllNotesOff = 123;

void IgnoreLog(int, const char*, void*) {}

}  // namespace

void SilenceSynthLog() {
  static const bool done = [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, IgnoreLog, nullptr);
    }
    return true;
  }();
  (void)done;
}

BuiltinSynth::BuiltinSynth(std::unique_ptr<Impl> impl, int sample_rate)
    : m_Impl(std::move(impl)), m_SampleRate(sample_rate) {}

std::unique_ptr<BuiltinSynth> BuiltinSynth::Create(const std::string& soundfont, int sample_rate,
                                                   bool load_on_demand) {
  SilenceSynthLog();
  auto impl = std::make_unique<Impl>();
  impl->settings = new_fluid_settings();
  if (!impl->settings) return nullptr;
  fluid_settings_setnum(impl->settings, "synth.sample-rate", sample_rate);
  fluid_settings_setint(impl->settings, "synth.polyphony", kPolyphony);
  fluid_settings_setstr(impl->settings, "synth.midi-bank-select", kBankSelectMode);
  fluid_settings_setint(impl->settings, "synth.cpu-cores", 1);
  fluid_settings_setint(impl->settings, "synth.dynamic-sample-loading", load_on_demand ? 1 : 0);
  impl->synth = new_fluid_synth(impl->settings);
  if (!impl->synth) {
    delete_fluid_settings(impl->settings);
    return nullptr;
  }
  InstallGsModulators(impl->synth);
  InitGsChannels(*impl);
  std::unique_ptr<BuiltinSynth> synth(new BuiltinSynth(std::move(impl), sample_rate));
  if (!soundfont.empty() && synth->LoadSoundFont(soundfont) != 0) return nullptr;
  return synth;
}

int BuiltinSynth::LoadSoundFont(const std::string& soundfont) {
  fluid_synth_t* s = m_Impl->synth;
  while (fluid_synth_sfcount(s) > 0) {
    fluid_sfont_t* old = fluid_synth_get_sfont(s, 0);
    if (!old || fluid_synth_sfunload(s, fluid_sfont_get_id(old), 1) == FLUID_FAILED) break;
  }
  return fluid_synth_sfload(s, soundfont.c_str(), 1) == FLUID_FAILED ? 1 : 0;
}

void BuiltinSynth::LoadSoundFontInBackground(const std::string& soundfont,
                                             std::function<void()> before_load) {
  WaitForSoundFont();
  m_Impl->loading.store(true, std::memory_order_release);
  m_Impl->loader = std::thread([this, soundfont, before_load] {
    if (before_load) before_load();
    LoadSoundFont(soundfont);
    Impl& impl = *m_Impl;
    std::lock_guard<std::mutex> lock(impl.pending_mutex);
    for (uint32_t packed : impl.pending.Take()) impl.Apply(packed);
    impl.loading.store(false, std::memory_order_release);
    impl.gate.Wake();
  });
}

bool BuiltinSynth::soundfont_loading() const { return m_Impl->loading.load(std::memory_order_acquire); }

void BuiltinSynth::WaitForSoundFont() {
  if (m_Impl->loader.joinable()) m_Impl->loader.join();
}

BuiltinSynth::~BuiltinSynth() {
  StopAudio();
  WaitForSoundFont();
  delete_fluid_synth(m_Impl->synth);
  delete_fluid_settings(m_Impl->settings);
}

void BuiltinSynth::ShortMsg(uint32_t packed) {
  if (m_Impl->loading.load(std::memory_order_acquire)) {
    std::lock_guard<std::mutex> lock(m_Impl->pending_mutex);
    // Checked again: the loader may have just finished.
    if (m_Impl->loading.load(std::memory_order_relaxed)) {
      m_Impl->pending.Add(packed);
      return;
    }
  }
  m_Impl->Apply(packed);
  m_Impl->gate.Wake();
}

void BuiltinSynth::Impl::Apply(uint32_t packed) {
  fluid_synth_t* s = synth;
  const int status = packed & 0xFF;
  const int d1 = (packed >> 8) & 0x7F;
  const int d2 = (packed >> 16) & 0x7F;
  const int ch = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(s, ch, d1);
      break;
    case 0x90:
      fluid_synth_noteon(s, ch, d1, d2);  // velocity 0 is a note-off
      break;
    case 0xA0:
      fluid_synth_key_pressure(s, ch, d1, d2);
      break;
    case 0xB0:
      if (HandleGsControl(*this, ch, d1, d2)) break;
      fluid_synth_cc(s, ch, d1, d2);
      if (d1 == 121) RestoreGsAfterReset(*this, ch);
      break;
    case 0xC0:
      fluid_synth_program_change(s, ch, d1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(s, ch, d1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(s, ch, d1 | d2 << 7);
      break;
    default:
      break;  // system messages (Start, Stop) mean nothing to a synthesizer
  }
}

void BuiltinSynth::Reset() {
  // Sustain off, then all notes off, on every channel.
  for (uint32_t ch = 0; ch < kSynthChannels; ++ch) {
    ShortMsg(0xB0 | ch | kCcSustain << 8);
    ShortMsg(0xB0 | ch | kCcAllNotesOff << 8);
  }
}

void BuiltinSynth::Render(int16_t* stereo, int frames) {
  fluid_synth_write_s16(m_Impl->synth, frames, stereo, 0, 2, stereo, 1, 2);
}

void BuiltinSynth::RenderFloat(float* left, float* right, int frames) {
  fluid_synth_write_float(m_Impl->synth, frames, left, 0, 1, right, 0, 1);
}

std::string BuiltinSynth::ChannelPresetName(int channel) {
  fluid_preset_t* preset = fluid_synth_get_channel_preset(m_Impl->synth, channel);
  if (!preset) return "";
  const char* name = fluid_preset_get_name(preset);
  return name ? name : "";
}
