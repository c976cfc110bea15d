// The upper neck's set-up during a song: the live one is saved and the song's
// tuning, voices and shifts take its place; at the end the saved one returns.
#include "midi/channels.h"
#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/tunings.h"
#include "perform/screen_sink.h"
#include "song/autoplay.h"
#include "song/autoplay_effects.h"
#include "song/autoplay_setup_state.h"
#include "song/song_state.h"

namespace {

constexpr int kSongNeck = 0;
constexpr int kSongTuning = 0;  // the song's tuning occupies slot 0 while it plays
constexpr int kTuningNameChars = 5;

// The one saved copy, overwritten by every start.
struct SavedSetup {
  int32_t Tuning, GuideShift, MidiShift;
  int32_t Voice0MSB, Voice0LSB, Voice0No, Volume0;
  int32_t Voice1MSB, Voice1LSB, Voice1No, Volume1;
  std::string TuningName;
  std::string NoteName[kStringCount];
  int32_t Pedal[2][kStringCount];
  int32_t VibratoProgram[2];
  VibratoInfo Vibrato[2];
};
SavedSetup g_SavedSetup;

void SaveLiveSetup() {
  const NeckInfo& n = g_Neck[kSongNeck];
  const TuningInfo& t = g_Tuning[kSongTuning];
  SavedSetup& s = g_SavedSetup;
  s.Tuning = n.Tuning;
  s.GuideShift = n.GuideShift;
  s.MidiShift = n.MidiShift;
  s.Voice0MSB = n.Voice0MSB;
  s.Voice0LSB = n.Voice0LSB;
  s.Voice0No = n.Voice0No;
  s.Volume0 = n.Volume0;
  s.Voice1MSB = n.Voice1MSB;
  s.Voice1LSB = n.Voice1LSB;
  s.Voice1No = n.Voice1No;
  s.Volume1 = n.Volume1;
  s.TuningName = t.Name;
  for (int i = 0; i < kStringCount; ++i) {
    s.NoteName[i] = t.NoteName[0][i];
    s.Pedal[0][i] = t.Pedal[0][i];
    s.Pedal[1][i] = t.Pedal[1][i];
  }
  s.VibratoProgram[0] = n.Voice0No;
  s.VibratoProgram[1] = n.Voice1No;
  s.Vibrato[0] = g_Vibrato[n.Voice0No & 0x7F];
  s.Vibrato[1] = g_Vibrato[n.Voice1No & 0x7F];
}

void RestoreLiveSetup() {
  NeckInfo& n = g_Neck[kSongNeck];
  TuningInfo& t = g_Tuning[kSongTuning];
  const SavedSetup& s = g_SavedSetup;
  n.Tuning = s.Tuning;
  n.GuideShift = s.GuideShift;
  n.MidiShift = s.MidiShift;
  n.Voice0MSB = s.Voice0MSB;
  n.Voice0LSB = s.Voice0LSB;
  n.Voice0No = s.Voice0No;
  n.Volume0 = s.Volume0;
  n.Voice1MSB = s.Voice1MSB;
  n.Voice1LSB = s.Voice1LSB;
  n.Voice1No = s.Voice1No;
  n.Volume1 = s.Volume1;
  t.Name = s.TuningName;
  for (int i = 0; i < kStringCount; ++i) {
    t.NoteName[0][i] = s.NoteName[i];
    t.Pedal[0][i] = s.Pedal[0][i];
    t.Pedal[1][i] = s.Pedal[1][i];
  }
  g_Vibrato[s.VibratoProgram[0] & 0x7F] = s.Vibrato[0];
  g_Vibrato[s.VibratoProgram[1] & 0x7F] = s.Vibrato[1];
}

void ApplySongSetup() {
  NeckInfo& n = g_Neck[kSongNeck];
  TuningInfo& t = g_Tuning[kSongTuning];
  const SongHeader& h = g_SongHeader;
  n.GuideShift = h.GuideShift;
  n.MidiShift = h.MidiShift;
  t.Name = h.TuningName.substr(0, kTuningNameChars);
  for (int i = 0; i < kStringCount; ++i) {
    t.NoteName[0][i] = h.NoteName[i];
    t.Pedal[0][i] = h.Pedal1[i];
    t.Pedal[1][i] = h.Pedal2[i];
  }
  n.Voice0MSB = h.Voice0MSB;
  n.Voice0LSB = h.Voice0LSB;
  n.Voice0No = h.Voice0No;
  n.Volume0 = h.Volume0;
  n.Voice1MSB = h.Voice1MSB;
  n.Voice1LSB = h.Voice1LSB;
  n.Voice1No = h.Voice1No;
  n.Volume1 = h.Volume1;
  n.Tuning = kSongTuning;
}

void ClearPedalBends() {
  for (int i = 0; i < kStringCount; ++i) {
    g_Neck[kSongNeck].BendTarget[i] = 0;
    g_Neck[kSongNeck].BendNow[i] = 0;
  }
}

// The neck's voices on every channel, with nothing left sounding or gliding.
void LoadNeckVoices() {
  g_SoundNeck = kSongNeck;
  AllNotesOff();
  StopTimer(kStrokeTimerSlot);
  StopTimer(kGlideTimerSlot);
  SetupNeckVoices(kSongNeck, true);
}

void SendEffects(int reverb, int chorus) {
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch != kRhythmChannel) SendShort(kControlChange + ch, kCcReverbSend, reverb);
  }
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch != kRhythmChannel) SendShort(kControlChange + ch, kCcChorusSend, chorus);
  }
}

}  // namespace

void SetSongSetup(bool on) {
  if (on) {
    SaveLiveSetup();
    ApplySongSetup();
    BuildPedalNoteNames();
    BuildStringNotes();
    BuildGuide(kSongNeck);
    ClearPedalBends();
    AllocateChannels(kSongNeck);
    BuildGuide(kSongNeck);
    Screen().RepaintAll();
    LoadNeckVoices();
    return;
  }
  g_SoundNeck = kSongNeck;
  RestoreLiveSetup();
  BuildPedalNoteNames();
  BuildStringNotes();
  BuildGuide(kSongNeck);
  g_BarBend = kBendCentre;
  ClearPedalBends();
  AllocateChannels(kSongNeck);
  BuildGuide(kSongNeck);
  LoadNeckVoices();
  // The next live note loads the voices of the neck it is played on.
  g_SoundNeck = -1;
}

void SendSongEffects() { SendEffects(g_SongHeader.Reverb, g_SongHeader.Chorus); }

void SendLiveEffects() { SendEffects(LevelToMidi(g_ReverbTime), LevelToMidi(g_ChorusLevel)); }

void ResetSongSetupState() { g_SavedSetup = SavedSetup{}; }
