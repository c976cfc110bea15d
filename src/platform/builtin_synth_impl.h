// Inside of the built-in synthesizer, shared by its files: the FluidSynth
// objects and the GS parameter state of every channel.
#pragma once

#include <fluidsynth.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio_output.h"
#include "platform/builtin_synth.h"
#include "platform/pending_messages.h"
#include "platform/silence_gate.h"

inline constexpr int kSynthChannels = 16;

// What a GS synthesizer remembers of the parameter messages of one channel.
struct GsChannelState {
  int nrpn_msb = 127;  // 127 selects no parameter
  int nrpn_lsb = 127;
  bool nrpn_selected = false;  // the last parameter selected was non-registered
  int vibrato_rate = 64;       // 64 = the sound's own setting
  int vibrato_depth = 64;
  int vibrato_delay = 64;
};

// Half a second of quiet output with no voice before the synthesizer rests.
inline constexpr int kRestAfterQuietFrames = 24000;

struct BuiltinSynth::Impl : AudioSource {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  std::unique_ptr<AudioOutput> audio;
  GsChannelState gs[kSynthChannels];

  // While a SoundFont loads in the background the synthesizer is left alone:
  // messages wait in pending, the audio output plays silence.
  std::atomic<bool> loading{false};
  std::thread loader;
  std::mutex pending_mutex;
  PendingMessages pending;
  SilenceGate gate{kRestAfterQuietFrames};

  void Apply(uint32_t packed);
  // AudioSource, on the output's thread.
  void RenderAudio(float* left, float* right, int frames, int stride) override;
  void UseSampleRate(int rate) override;
};

// GS behaviour on top of FluidSynth (builtin_synth_gs.cpp).
void InstallGsModulators(fluid_synth_t* synth);
void InitGsChannels(BuiltinSynth::Impl& impl);
// Returns true when the controller was taken over and must not reach FluidSynth.
bool HandleGsControl(BuiltinSynth::Impl& impl, int channel, int controller, int value);
// After FluidSynth has reset a channel's controllers.
void RestoreGsAfterReset(BuiltinSynth::Impl& impl, int channel);
