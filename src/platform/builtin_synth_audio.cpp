// Live audio of the built-in synthesizer: the first output that opens, in the
// order PulseAudio, ALSA, JACK, SDL, with an output latency near 8 ms.
#include <SDL.h>
#include <fluidsynth.h>

#include <string>

#include "platform/builtin_synth_impl.h"
#include "platform/jack_support.h"
#include "platform/scoped_env.h"

namespace {

constexpr const char* kAudioDrivers[] = {"pulseaudio", "alsa", "jack", "sdl2"};
// 3 periods of 128 frames: 8 ms at 48 kHz.
constexpr int kPeriodFrames = 128;
constexpr int kPeriods = 3;

bool PrepareDriver(const std::string& name) {
  if (name == "jack") return JackServerRunning();
  if (name == "sdl2") {
    // FluidSynth leaves starting SDL's audio to the program.
    return SDL_WasInit(SDL_INIT_AUDIO) || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return true;
}

}  // namespace

int BuiltinSynth::StartAudio() {
  if (m_Impl->audio) return 0;
  SilenceJackLog();
  // A missing JACK server must cost a failed connection, not a started server.
  ScopedEnv no_jack_start("JACK_NO_START_SERVER", "1");
  fluid_settings_setint(m_Impl->settings, "audio.period-size", kPeriodFrames);
  fluid_settings_setint(m_Impl->settings, "audio.periods", kPeriods);
  for (const char* name : kAudioDrivers) {
    if (!PrepareDriver(name)) continue;
    fluid_settings_setstr(m_Impl->settings, "audio.driver", name);
    m_Impl->audio = new_fluid_audio_driver(m_Impl->settings, m_Impl->synth);
    if (m_Impl->audio) {
      m_Impl->audio_name = name;
      return 0;
    }
  }
  return 1;
}

void BuiltinSynth::StopAudio() {
  if (!m_Impl->audio) return;
  delete_fluid_audio_driver(m_Impl->audio);
  m_Impl->audio = nullptr;
  m_Impl->audio_name.clear();
}

bool BuiltinSynth::audio_running() const { return m_Impl->audio != nullptr; }

std::string BuiltinSynth::audio_driver() const { return m_Impl->audio_name; }
