// The remaining audio systems through FluidSynth's own drivers (ALSA, SDL),
// which call back for every period. They cannot tell of underruns.
#include <SDL.h>
#include <fluidsynth.h>

#include "platform/audio_output.h"

namespace {

// 3 periods of 256 frames: 16 ms at 48 kHz.
constexpr int kPeriodFrames = 256;
constexpr int kPeriods = 3;

class FluidDriverOutput : public AudioOutput {
 public:
  FluidDriverOutput(std::string driver, AudioSource* source) : m_Driver(std::move(driver)), m_Source(source) {}
  ~FluidDriverOutput() override {
    if (m_Audio) delete_fluid_audio_driver(m_Audio);
    if (m_Settings) delete_fluid_settings(m_Settings);
  }

  bool Open(const AudioOptions& options) {
    if (m_Driver == "sdl2" && !SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      return false;  // FluidSynth leaves starting SDL's audio to the program
    }
    m_Rate = options.sample_rate;
    m_Settings = new_fluid_settings();
    if (!m_Settings) return false;
    fluid_settings_setstr(m_Settings, "audio.driver", m_Driver.c_str());
    fluid_settings_setnum(m_Settings, "synth.sample-rate", m_Rate);
    fluid_settings_setint(m_Settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(m_Settings, "audio.periods", kPeriods);
    m_Audio = new_fluid_audio_driver2(m_Settings, Render, this);
    return m_Audio != nullptr;
  }

  std::string name() const override { return m_Driver; }
  int64_t underruns() const override { return -1; }
  int latency_frames() const override { return kPeriodFrames * kPeriods; }
  int sample_rate() const override { return m_Rate; }

 private:
  static int Render(void* arg, int frames, int, float**, int outputs, float** out) {
    if (outputs < 2) return FLUID_FAILED;
    auto* self = static_cast<FluidDriverOutput*>(arg);
    self->m_Source->RenderAudio(out[0], out[1], frames, 1);
    return FLUID_OK;
  }

  std::string m_Driver;
  AudioSource* m_Source;
  fluid_settings_t* m_Settings = nullptr;
  fluid_audio_driver_t* m_Audio = nullptr;
  int m_Rate = 0;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenFluidDriverOutput(const std::string& driver, AudioSource* source,
                                                   const AudioOptions& options) {
  auto output = std::make_unique<FluidDriverOutput>(driver, source);
  if (!output->Open(options)) return nullptr;
  return output;
}
