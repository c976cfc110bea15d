#include "midi/channels.h"

#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "model/instrument.h"

namespace {

void Control(int channel, int controller, int value) {
  SendShort(kControlChange | channel, controller, value);
}

void BendCentre(int channel) {
  SendShort(kPitchBend | channel, kBendCentre & 0x7F, kBendCentre >> 7);
}

void Nrpn(int channel, int msb, int lsb, int value) {
  Control(channel, kCcNrpnMsb, msb);
  Control(channel, kCcNrpnLsb, lsb);
  Control(channel, kCcDataEntry, value);
}

bool SamePedals(const TuningInfo& t, int a, int b) {
  return t.Pedal[0][a] == t.Pedal[0][b] && t.Pedal[1][a] == t.Pedal[1][b];
}

}  // namespace

void AllocateChannels(int neck) {
  const TuningInfo& t = g_Tuning[g_Neck[neck].Tuning];
  int* channel = g_Neck[neck].Channel;
  int next_pair = 0;
  channel[0] = kPairChannels[next_pair++];
  for (int s = 1; s < kStringCount; ++s) {
    int j = 0;
    while (j < s && !SamePedals(t, j, s)) ++j;
    if (j < s) {
      channel[s] = channel[j];
    } else if (next_pair < kChannelPairCount) {
      channel[s] = kPairChannels[next_pair++];
    } else {
      // Out of pairs: the strings of an eighth pattern bend with the seventh.
      channel[s] = kPairChannels[kChannelPairCount - 1];
    }
  }
  // A string that no pedal of the new pattern moves could never glide back
  // from a pedal bend left over from the old one: it rests unbent.
  NeckInfo& n = g_Neck[neck];
  for (int s = 0; s < kStringCount; ++s) {
    if (t.Pedal[0][s] == 0 && t.Pedal[1][s] == 0) n.BendTarget[s] = n.BendNow[s] = 0;
  }
}

void ResetAllChannels() {
  const int reverb = LevelToMidi(g_ReverbTime);
  const int chorus = LevelToMidi(g_ChorusLevel);
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch == kRhythmChannel) continue;
    Control(ch, kCcResetAllControllers, 0);
    Control(ch, kCcAllNotesOff, 0);
    Control(ch, kCcBankMsb, 0);
    Control(ch, kCcBankLsb, 0);
    SendShort(kProgramChange | ch, 0, 0);
    Control(ch, kCcModulation, kCentreValue);
    Control(ch, kCcModulationLsb, 0);
    Control(ch, kCcVolume, kMaxDataValue);
    Control(ch, kCcVolumeLsb, 0);
    Control(ch, kCcPan, kCentreValue);
    Control(ch, kCcPanLsb, 0);
    Control(ch, kCcExpression, kMaxDataValue);
    Control(ch, kCcExpressionLsb, 0);
    Control(ch, kCcReleaseTime, kCentreValue);
    Control(ch, kCc104, 0);
    Control(ch, kCcRpnMsb, 0);
    Control(ch, kCcRpnLsb, kRpnBendRange);
    Control(ch, kCcDataEntry, kBendRangeSemitones);
    BendCentre(ch);
    Nrpn(ch, kNrpnVibratoMsb, kNrpnVibratoDepth, 0);
    Nrpn(ch, kNrpnVibratoMsb, kNrpnVibratoRate, 0);
    Nrpn(ch, kNrpnVibratoMsb, kNrpnVibratoDelay, 0);
    Control(ch, kCcReverbSend, reverb);
    Control(ch, kCcChorusSend, chorus);
    Control(ch, kCcNrpnMsb, kParameterNull);
    Control(ch, kCcNrpnLsb, kParameterNull);
    Control(ch, kCcRpnMsb, kParameterNull);
    Control(ch, kCcRpnLsb, kParameterNull);
  }
}

void AllNotesOff() {
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch != kRhythmChannel) Control(ch, kCcAllNotesOff, 0);
  }
}

void SendVibrato(int channel, int program) {
  const VibratoInfo& v = g_Vibrato[program & kMaxDataValue];
  Nrpn(channel, kNrpnVibratoMsb, kNrpnVibratoDepth, v.Depth);
  Nrpn(channel, kNrpnVibratoMsb, kNrpnVibratoRate, v.Rate);
  Nrpn(channel, kNrpnVibratoMsb, kNrpnVibratoDelay, v.Delay);
  Control(channel, kCcExpression, kMaxDataValue);
  Control(channel, kCcExpressionLsb, 0);
}

void SetupNeckVoices(int neck, bool withVolume) {
  const NeckInfo& v = g_Neck[neck];
  for (int c : kPairChannels) {
    const int odd = c + 1;
    Control(c, kCcBankMsb, v.Voice0MSB);
    Control(c, kCcBankLsb, v.Voice0LSB);
    SendShort(kProgramChange | c, v.Voice0No, 0);
    if (withVolume) Control(c, kCcVolume, LevelToMidi(v.Volume0));
    // Both controller resets go to the odd channel of the pair.
    Control(odd, kCcResetAllControllers, 0);
    BendCentre(c);
    SendVibrato(c, v.Voice0No);
    Control(odd, kCcBankMsb, v.Voice1MSB);
    Control(odd, kCcBankLsb, v.Voice1LSB);
    SendShort(kProgramChange | odd, v.Voice1No, 0);
    if (withVolume) Control(odd, kCcVolume, LevelToMidi(v.Volume1));
    Control(odd, kCcResetAllControllers, 0);
    BendCentre(odd);
    SendVibrato(odd, v.Voice1No);
  }
}
