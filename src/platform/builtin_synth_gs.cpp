// GS answers of the built-in synthesizer: a bend range of 24 semitones bends
// exactly 100 cents a semitone, and the vibrato parameters (NRPN 1/8 rate,
// 1/9 depth, 1/10 delay) move the channel's vibrato LFO, 64 meaning unchanged.
#include <algorithm>

#include "platform/builtin_synth_impl.h"

namespace {

// FluidSynth's own bend modulator scales by 12700 / 128 = 99.2 cents per
// semitone of range; 12800 makes it exactly 100.
constexpr double kBendCentsFullRange = 12800.0;

// The modulation wheel's vibrato is scaled by the depth parameter through a
// controller of our own that nothing else sends: depth 64 gives FluidSynth's
// usual 50 cents at full wheel, 0 none, 127 twice that.
constexpr int kDepthScaleCc = 3;                 // an undefined controller
constexpr double kWheelVibratoCentsAtScale1 = 100.0;  // cents at full wheel, scale 128/128
constexpr double kFluidWheelVibratoCents = 50.0;  // FluidSynth's default wheel vibrato
// Above 64 the depth also adds vibrato of its own, so that the vibrato is heard
// even where the wheel rests at 0.
constexpr double kDepthCentsPerStep = 0.5;
// Rate: 64 steps move the LFO frequency one octave (cents of frequency).
constexpr double kRateCentsPerStep = 1200.0 / 64;
// Delay: each step lengthens the delay by a sixth of an octave (timecents).
constexpr double kDelayTimecentsPerStep = 200.0;

constexpr int kGsCentre = 64;
constexpr int kNrpnVibratoMsb = 1;
constexpr int kNrpnRate = 8;
constexpr int kNrpnDepth = 9;
constexpr int kNrpnDelay = 10;
constexpr int kCcDataEntry = 6;
constexpr int kCcModulation = 1;
constexpr int kCcNrpnLsb = 98, kCcNrpnMsb = 99, kCcRpnLsb = 100, kCcRpnMsb = 101;

void SetSource(fluid_mod_t* mod, int which, int src, int flags) {
  if (which == 1) {
    fluid_mod_set_source1(mod, src, flags);
  } else {
    fluid_mod_set_source2(mod, src, flags);
  }
}

constexpr int kUnipolar = FLUID_MOD_UNIPOLAR | FLUID_MOD_LINEAR | FLUID_MOD_POSITIVE;

void ApplyVibrato(BuiltinSynth::Impl& impl, int ch) {
  const GsChannelState& g = impl.gs[ch];
  fluid_synth_cc(impl.synth, ch, kDepthScaleCc, g.vibrato_depth);
  fluid_synth_set_gen(impl.synth, ch, GEN_VIBLFOTOPITCH,
                      std::max(0, g.vibrato_depth - kGsCentre) * kDepthCentsPerStep);
  fluid_synth_set_gen(impl.synth, ch, GEN_VIBLFOFREQ,
                      (g.vibrato_rate - kGsCentre) * kRateCentsPerStep);
  fluid_synth_set_gen(impl.synth, ch, GEN_VIBLFODELAY,
                      (g.vibrato_delay - kGsCentre) * kDelayTimecentsPerStep);
}

}  // namespace

void InstallGsModulators(fluid_synth_t* synth) {
  fluid_mod_t* mod = new_fluid_mod();
  if (!mod) return;
  SetSource(mod, 1, FLUID_MOD_PITCHWHEEL, FLUID_MOD_GC | FLUID_MOD_LINEAR | FLUID_MOD_BIPOLAR |
                                              FLUID_MOD_POSITIVE);
  SetSource(mod, 2, FLUID_MOD_PITCHWHEELSENS, FLUID_MOD_GC | kUnipolar);
  fluid_mod_set_dest(mod, GEN_FINETUNE);  // where FluidSynth puts its own, so it is replaced
  fluid_mod_set_amount(mod, kBendCentsFullRange);
  fluid_synth_add_default_mod(synth, mod, FLUID_SYNTH_OVERWRITE);

  // The wheel's vibrato: FluidSynth's plain one out, the depth-scaled one in.
  SetSource(mod, 1, kCcModulation, FLUID_MOD_CC | kUnipolar);
  SetSource(mod, 2, FLUID_MOD_NONE, 0);
  fluid_mod_set_dest(mod, GEN_VIBLFOTOPITCH);
  fluid_mod_set_amount(mod, kFluidWheelVibratoCents);
  fluid_synth_remove_default_mod(synth, mod);
  SetSource(mod, 2, kDepthScaleCc, FLUID_MOD_CC | kUnipolar);
  fluid_mod_set_amount(mod, kWheelVibratoCentsAtScale1);
  fluid_synth_add_default_mod(synth, mod, FLUID_SYNTH_OVERWRITE);
  delete_fluid_mod(mod);
}

void InitGsChannels(BuiltinSynth::Impl& impl) {
  for (int ch = 0; ch < kSynthChannels; ++ch) {
    impl.gs[ch] = GsChannelState{};
    ApplyVibrato(impl, ch);
  }
}

bool HandleGsControl(BuiltinSynth::Impl& impl, int ch, int controller, int value) {
  GsChannelState& g = impl.gs[ch];
  switch (controller) {
    case kCcNrpnMsb:
      g.nrpn_msb = value;
      g.nrpn_selected = true;
      return false;
    case kCcNrpnLsb:
      g.nrpn_lsb = value;
      g.nrpn_selected = true;
      return false;
    case kCcRpnMsb:
    case kCcRpnLsb:
      g.nrpn_selected = false;
      return false;
    case kDepthScaleCc:
      return true;  // ours
    case kCcDataEntry:
      if (!g.nrpn_selected || g.nrpn_msb != kNrpnVibratoMsb) return false;
      if (g.nrpn_lsb == kNrpnRate) {
        g.vibrato_rate = value;
      } else if (g.nrpn_lsb == kNrpnDepth) {
        g.vibrato_depth = value;
      } else if (g.nrpn_lsb == kNrpnDelay) {
        g.vibrato_delay = value;
      } else {
        return false;
      }
      ApplyVibrato(impl, ch);
      return false;
    default:
      return false;
  }
}

void RestoreGsAfterReset(BuiltinSynth::Impl& impl, int ch) {
  // Resetting the controllers forgets which parameter was selected, not the
  // vibrato itself; our scale controller was cleared with the others.
  GsChannelState& g = impl.gs[ch];
  g.nrpn_msb = g.nrpn_lsb = 127;
  g.nrpn_selected = false;
  ApplyVibrato(impl, ch);
}
