#include "song/autoplay_tick.h"

#include "midi/timers.h"
#include "perform/view_filter.h"
#include "song/autoplay.h"
#include "song/song_state.h"

std::atomic<int32_t> g_AutoPlayState;
std::atomic<int32_t> g_SongTime;
std::atomic<int32_t> g_SongEventIndex;
std::atomic<int32_t> g_MidiStartTime;
std::atomic<int32_t> g_bStopRequest;

namespace {

bool SongTick() {
  if (g_AutoPlayState.load() == 0) return false;
  AutoPlayTick();
  return true;
}

void RequestSongStop() { g_bStopRequest.store(1); }

}  // namespace

void LinkSongClock() {
  SetSongTickHook(SongTick);
  SetSongStopRequest(RequestSongStop);
}

void ResetSongClock() {
  g_AutoPlayState.store(0);
  g_SongTime.store(0);
  g_SongEventIndex.store(0);
  g_MidiStartTime.store(0);
  g_bStopRequest.store(0);
}

void AutoPlayTick() {
  int32_t now;
  if (g_AutoPlayState.load() == 1) {
    // The first tick after a start is time 0 of the song.
    now = 0;
    g_SongTime.store(0);
    g_SongEventIndex.store(0);
    g_AutoPlayState.store(2);
  } else {
    // A late tick is not made up: the clock counts ticks.
    now = g_SongTime.load() + static_cast<int32_t>(kTickMs);
    g_SongTime.store(now);
  }

  if (g_bStopRequest.load() != 0) {
    PostToView(WM_SONG_STEP, kSongStepStop, 0);
    g_AutoPlayState.store(0);
    return;
  }

  const int32_t midiStart = g_MidiStartTime.load();
  if (midiStart != 0 && midiStart <= now) {
    g_MidiStartTime.store(0);
    PostToView(WM_SONG_STEP, kSongStepMidiStart, 0);
  }

  int32_t index = g_SongEventIndex.load();
  int32_t last = -1;
  bool ended = false;
  while (index < kSongEventCount && g_SongEvent[index].TimeMs <= now) {
    last = index++;
    if (g_SongEvent[last].Type == EventEnd) {
      ended = true;
      break;
    }
  }
  g_SongEventIndex.store(index);

  // Event 0 alone is carried out with the next batch, unless it is the end
  // itself: a song always ends through the handler.
  if (last > 0 || (ended && last == 0)) PostToView(WM_SONG_STEP, kSongStepEvents, last);
  if (ended) g_AutoPlayState.store(0);
}
