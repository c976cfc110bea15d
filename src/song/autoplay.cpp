// Starting a song, carrying out its events, and finishing it at its end or on
// Escape, all on the user-interface thread.
#include "song/autoplay.h"

#include "midi/channels.h"
#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/tunings.h"
#include "perform/bar_drawing.h"
#include "perform/keyboard.h"
#include "perform/neck_geometry.h"
#include "perform/pedals.h"
#include "perform/play_state.h"
#include "perform/screen_sink.h"
#include "perform/slide_bar.h"
#include "platform/platform.h"
#include "platform/timer_service.h"
#include "song/autoplay_effects.h"
#include "song/autoplay_setup_state.h"
#include "song/autoplay_tick.h"
#include "song/autoplay_view.h"
#include "song/song_state.h"

int32_t g_bSongReady;
int32_t g_SongHandledIndex;

namespace {

constexpr int kKeyZero = '0';  // digit keys are their characters' codes
// The playing keys in the order a release goes through them (6 plays nothing).
constexpr int kReleaseKeys[] = {'0', '1', '2', '3', '4', '5', '7', '8', '9'};
constexpr int kPedalMask1 = 1;
constexpr int kPedalMask2 = 2;
// The song's tuning occupies this slot for the length of a song.
constexpr int kSongTuning = 0;
constexpr int kSongNeck = 0;

// The vibrato parameter of each vibrato event type, and which voice it sets.
int VibratoParameter(int type) {
  switch (type) {
    case EventDepth1:
    case EventDepth2: return kNrpnVibratoDepth;
    case EventRate1:
    case EventRate2: return kNrpnVibratoRate;
    default: return kNrpnVibratoDelay;
  }
}

void ReleaseAllKeys() {
  for (int key : kReleaseKeys) OnKeyUp(key, 0, 0);
}

// Expression and its fine part on every string channel (all but 8 and 9).
void SendExpression(int value) {
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch == 8 || ch == kRhythmChannel) continue;
    SendShort(kControlChange + ch, kCcExpression, value);
    SendShort(kControlChange + ch, kCcExpressionLsb, 0);
  }
}

// Voice 1 sounds on the even channel of every pair, voice 2 on the odd one.
void SendVibratoEvent(int type, int value) {
  const int voiceOffset = type >= EventDepth2 ? 1 : 0;
  const int parameter = VibratoParameter(type);
  for (int pair : kPairChannels) {
    const int ch = pair + voiceOffset;
    SendShort(kControlChange + ch, kCcNrpnMsb, kNrpnVibratoMsb);
    SendShort(kControlChange + ch, kCcNrpnLsb, parameter);
    SendShort(kControlChange + ch, kCcDataEntry, value);
  }
}

// A pedal change during a song: the bends jump to their targets at once; the
// glide timer is started only so that the view's glide ticks run as live.
void PedalStep(int mask) {
  if (CountPedalStrings(kSongTuning, mask) == 0) return;
  BuildGuide(kSongNeck);
  Screen().InvalidateNeck(kSongNeck);
  SetPedalTargets(kSongNeck);
  if (g_TimerId[kGlideTimerSlot].load() == 0) StartTimer(kGlideTimerSlot);
}

void SlideEvent(int offset) {
  // Offset in 64ths of a fret, which are the bar's pixels.
  for (int i = 0; i < kStringCount; ++i) {
    if (g_Neck[kSongNeck].SoundingNote[i] == -1) continue;
    g_BarBend = BarBendOfOffset(offset);
    SendBend(kSongNeck, i);
  }
  g_BarX = g_BarFret * kFretWidth + offset + kFretWidth / 2;
  DrawBar(false);
}

void CarryOut(const SongEvent& e) {
  switch (e.Type) {
    case EventBar:
      g_PlayNeck = kSongNeck;
      g_PlayString = e.Value / kBarStringStride;
      g_BarFret = e.Value % kBarStringStride;
      g_BarX = g_BarFret * kFretWidth + kFretWidth / 2;
      DrawBar(false);
      break;
    case EventVelocity: g_AutoVelocity = e.Value; break;
    case EventKey:
      if (e.Value == -1) {
        ReleaseAllKeys();
      } else {
        OnKeyDown(kKeyZero + e.Value, 0, 0);
      }
      break;
    case EventExpression: SendExpression(e.Value); break;
    case EventDepth1:
    case EventRate1:
    case EventDelay1:
    case EventDepth2:
    case EventRate2:
    case EventDelay2: SendVibratoEvent(e.Type, e.Value); break;
    case EventPedal1:
      if (e.Value == 1 || g_Pedal1 == 1) {
        g_Pedal1 = e.Value == 1 ? 1 : 0;
        PedalStep(kPedalMask1);
      }
      break;
    case EventPedal2:
      if (e.Value == 1 || g_Pedal2 == 1) {
        g_Pedal2 = e.Value == 1 ? 1 : 0;
        PedalStep(kPedalMask2);
      }
      break;
    case EventSlide: SlideEvent(e.Value); break;
    default: break;
  }
}

void FinishSong(bool stopped) {
  if (stopped) SendShort(kMidiStop, 0, 0);
  ReleaseAllKeys();
  // The song's key presses gave the upper neck the capture without the
  // platform's; nothing else gives it back, and a stale capture would bend the
  // wrong neck at the next pedal release and stop the hover hints.
  g_Capture = -1;
  g_Pedal1 = 0;
  g_Pedal2 = 0;
  SetSongSetup(false);
  SendLiveEffects();
  g_bAutoPlay = 0;
  Screen().RepaintAll();
  ShowHintUnderPointer();
  SetDropAcceptance(true);
}

}  // namespace

void StartAutoPlay() {
  LinkSongClock();
  g_bAutoPlay = 1;
  g_bSongReady = 1;
  g_SoundNeck = kSongNeck;
  SetDropAcceptance(false);
  RedrawHintLine();
  SetSongSetup(true);
  SendSongEffects();
  g_AutoVelocity = kMaxDataValue;
  g_bStopRequest.store(0);
  g_SongHandledIndex = 0;
  g_MidiStartTime.store(0);

  const int delay = g_SongHeader.MidiStartDelay;
  if (delay < 0) {
    // Equipment that needs time to start gets it before the song does.
    SendShort(kMidiStart, 0, 0);
    if (g_Platform.timers != nullptr) g_Platform.timers->Sleep(static_cast<uint32_t>(-delay));
  } else if (delay == 0) {
    SendShort(kMidiStart, 0, 0);
  } else {
    g_MidiStartTime.store(delay);
  }
  // Last: from here on the tick owns the song clock.
  g_AutoPlayState.store(1);
}

void StopAutoPlay() {
  if (g_bAutoPlay == 0) return;
  g_AutoPlayState.store(0);
  FinishSong(true);
}

void OnSongEvents(WPARAM kind, LPARAM index) {
  if (kind == kSongStepMidiStart) {
    SendShort(kMidiStart, 0, 0);
    return;
  }
  // A message left over from a song already finished finds nothing to do.
  if (g_bAutoPlay == 0) return;
  const int32_t last = static_cast<int32_t>(index);
  if (last < 0 || last >= kSongEventCount) return;
  do {
    if (kind == kSongStepStop || g_SongEvent[g_SongHandledIndex].Type == EventEnd) {
      FinishSong(kind == kSongStepStop);
      return;
    }
    CarryOut(g_SongEvent[g_SongHandledIndex]);
    ++g_SongHandledIndex;
  } while (g_SongHandledIndex < kSongEventCount &&
           g_SongEvent[g_SongHandledIndex].TimeMs <= g_SongEvent[last].TimeMs);
}

void ResetAutoPlayState() {
  g_bSongReady = 0;
  g_SongHandledIndex = 0;
  ResetSongClock();
  LinkSongClock();
  ResetSongSetupState();
  SetDropAcceptance(true);
}
