// Inside of the built-in synthesizer, shared by its files: the FluidSynth
// objects and the GS parameter state of every channel.
#pragma once

#include <fluidsynth.h>

#include <string>

#include "platform/builtin_synth.h"

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

struct BuiltinSynth::Impl {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* audio = nullptr;
  std::string audio_name;
  GsChannelState gs[kSynthChannels];
};

// GS behaviour on top of FluidSynth (builtin_synth_gs.cpp).
void InstallGsModulators(fluid_synth_t* synth);
void InitGsChannels(BuiltinSynth::Impl& impl);
// Returns true when the controller was taken over and must not reach FluidSynth.
bool HandleGsControl(BuiltinSynth::Impl& impl, int channel, int controller, int value);
// After FluidSynth has reset a channel's controllers.
void RestoreGsAfterReset(BuiltinSynth::Impl& impl, int channel);
