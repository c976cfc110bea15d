#include "model/instrument.h"

NeckInfo g_Neck[kNeckCount];
TuningInfo g_Tuning[kTuningCount];
VibratoInfo g_Vibrato[kProgramCount];

int32_t g_ReverbTime;
int32_t g_ChorusLevel;
std::string g_MidiOutDeviceName;

int32_t g_Pedal1;
int32_t g_Pedal2;
int32_t g_PlayNeck = -1;
int32_t g_SoundNeck = -1;
int32_t g_BarFret = -1;
int32_t g_BarBend = kBendCentre;
int32_t g_bAutoPlay;
int32_t g_AutoVelocity;
int32_t g_Page;

void ResetInstrumentState() {
  for (NeckInfo& neck : g_Neck) neck = NeckInfo{};
  for (TuningInfo& tuning : g_Tuning) tuning = TuningInfo{};
  for (VibratoInfo& vibrato : g_Vibrato) vibrato = VibratoInfo{};
  g_ReverbTime = 0;
  g_ChorusLevel = 0;
  g_MidiOutDeviceName.clear();
  g_Pedal1 = 0;
  g_Pedal2 = 0;
  g_PlayNeck = -1;
  g_SoundNeck = -1;
  g_BarFret = -1;
  g_BarBend = kBendCentre;
  g_bAutoPlay = 0;
  g_AutoVelocity = 0;
  g_Page = kPlayPage;
}
