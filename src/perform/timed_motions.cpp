#include "perform/timed_motions.h"

#include "midi/midi_codes.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/keyboard.h"
#include "perform/pedals.h"
#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "perform/view_filter.h"

void OnDeferredMouseMove() {
  if (!g_bMouseMovePending) return;
  g_bMouseMovePending = 0;
  DispatchPlayMessage(Message{WM_MOUSEMOVE, static_cast<WPARAM>(g_PendingMouseWParam),
                              static_cast<LPARAM>(g_PendingMouseLParam)});
}

void OnStrokeTick() {
  const int a = g_StrokeString;
  const int n = g_PlayNeck;
  if (a < 0 || a >= kStringCount) {
    StopTimer(kStrokeTimerSlot);
    return;
  }
  // The stroke belongs to a held key 0 on a neck; anything else ends it.
  if (!g_KeyDown[kStrokeShape] || a < g_StrokeLast || (n != 0 && n != 1)) {
    CancelStroke();
    return;
  }
  int velocity;
  if (a == g_StrokeLast) {
    velocity = g_bAutoPlay ? g_AutoVelocity : kVelocityFirst;
  } else {
    velocity = FurtherVelocity();
  }
  SoundString(n, a, BaseNote(n, a), velocity);
  g_StrokeString = a - 1;
  if (a == g_StrokeLast) CancelStroke();
}

void OnGlideTick() {
  const int n = g_PlayNeck;
  // Off the neck whose voices are set up, the glide stops where it is.
  if (n != g_SoundNeck || (n != 0 && n != 1)) {
    StopTimer(kGlideTimerSlot);
    return;
  }
  NeckInfo& neck = g_Neck[n];
  // Strings that share a channel pair share their pedals and so their bends:
  // one bend per pair is enough.
  bool sent[kMidiChannelCount] = {};
  for (int i = 0; i < kStringCount; ++i) {
    const int target = neck.BendTarget[i];
    int& now = neck.BendNow[i];
    if (now == target) continue;
    if (now < target) {
      now = now + kGlideStepUnits < target ? now + kGlideStepUnits : target;
    } else {
      now = now - kGlideStepUnits > target ? now - kGlideStepUnits : target;
    }
    const int c = neck.Channel[i];
    if (!sent[c]) SendBend(n, i);
    sent[c] = true;
  }
  for (int i = 0; i < kStringCount; ++i) {
    if (neck.BendNow[i] != neck.BendTarget[i]) return;
  }
  StopTimer(kGlideTimerSlot);
}
