#include "perform/pedals.h"

#include "midi/channels.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "perform/regions.h"
#include "perform/screen_sink.h"
#include "perform/slide_bar.h"

namespace {

int NeckOfRegion(int r) { return r == UpperNeck ? 0 : 1; }

int32_t& PedalFlag(int p) { return p == 1 ? g_Pedal1 : g_Pedal2; }

void StartGlide() {
  if (g_TimerId[kGlideTimerSlot] == 0) StartTimer(kGlideTimerSlot);
}

}  // namespace

int CountPedalStrings(int t, int mask) {
  int count = 0;
  for (int i = 0; i < kStringCount; ++i) {
    if (((mask & 1) && g_Tuning[t].Pedal[0][i] != 0) || ((mask & 2) && g_Tuning[t].Pedal[1][i] != 0)) {
      ++count;
    }
  }
  return count;
}

void SetPedalTargets(int n) {
  NeckInfo& neck = g_Neck[n];
  const TuningInfo& t = g_Tuning[neck.Tuning];
  const int k = PedalCombination();
  for (int i = 0; i < kStringCount; ++i) {
    if (t.Pedal[0][i] == 0 && t.Pedal[1][i] == 0) continue;
    // Only the direction counts: with both pedals a string still moves one semitone.
    const int diff = t.Note[k][i] - t.Note[0][i];
    neck.BendTarget[i] = diff > 0 ? kBendUnitsPerSemitone : diff < 0 ? -kBendUnitsPerSemitone : 0;
    if (g_bAutoPlay) {
      // A song has no glide: the pedal acts at once.
      neck.BendNow[i] = neck.BendTarget[i];
      SendBend(n, i);
    }
  }
}

void PressPedal(int p, int r) {
  const int n = NeckOfRegion(r);
  PedalFlag(p) = 1;
  if (g_Capture == -1) {
    g_Capture = r;
    TakeCapture();
  }
  ClipCursorToNeck(true, n);
  // With a key held the play position is frozen to the played neck; it is
  // only unknown when the bar was never drawn, and then the region's neck plays.
  const int play = g_PlayNeck == -1 ? n : g_PlayNeck;
  if (play != g_SoundNeck) {
    g_SoundNeck = play;
    StopTimer(kGlideTimerSlot);
    SetupNeckVoices(play, true);
  }
  if (CountPedalStrings(g_Neck[n].Tuning, p) == 0) return;
  BuildGuide(n);
  Screen().InvalidateNeck(n);
  SetPedalTargets(n);
  if (!g_bAutoPlay) StartGlide();
}

void ReleasePedal(int p) {
  PedalFlag(p) = 0;
  const int n = g_Capture == UpperNeck ? 0 : 1;
  if (CountPedalStrings(g_Neck[n].Tuning, p) != 0) {
    BuildGuide(n);
    Screen().InvalidateNeck(n);
    SetPedalTargets(n);
    if (!g_bAutoPlay) {
      StartGlide();
      g_SoundNeck = n;
    }
  }
  if (!PedalFlag(3 - p) && !g_bKeyHeld) {
    g_Capture = -1;
    ReleaseMouseCapture();
  }
  ClipCursorToNeck(false, -1);
}
