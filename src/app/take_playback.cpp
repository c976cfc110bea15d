#include "app/take_playback.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <vector>

#include "app/midi_file_read.h"
#include "midi/channel_state.h"
#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "midi/take_buffer.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/keyboard.h"
#include "perform/play_state.h"
#include "perform/screen_sink.h"
#include "perform/view_filter.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/timer_service.h"
#include "song/autoplay_tick.h"
#include "song/autoplay_view.h"
#include "song/song_messages.h"

namespace {

constexpr int kReleaseKeys[] = {'0', '1', '2', '3', '4', '5', '7', '8', '9'};
// The longest sleep between two looks at the file: a long pause is slept in
// steps, which every timer service can give.
constexpr int64_t kMaxWaitMs = 1000;

struct Playback {
  bool playing = false;
  std::vector<TimedShortMsg> events;  // whole milliseconds from the start
  size_t next = 0;
  int64_t start_ms = 0;
  uint32_t timer = 0;  // the one-shot timer that wakes the next batch
  ChannelState before;  // the channels' set-up when the playback began
  std::bitset<kMidiChannelCount * 128> sounding;
};

Playback g_Playback;

int64_t NowMs() { return g_Platform.timers ? g_Platform.timers->NowMs() : 0; }

// Runs on the timer thread: only posts.
void TakeTimerProc(uint32_t timer_id, uintptr_t) { PostToView(WM_TAKE_STEP, kTakeStepDue, timer_id); }

void RequestTakeStop() { PostToView(WM_TAKE_STEP, kTakeStepStop, 0); }

void KillTimer() {
  if (g_Playback.timer != 0 && g_Platform.timers) g_Platform.timers->KillEvent(g_Playback.timer);
  g_Playback.timer = 0;
}

void Send(uint32_t packed) {
  const int status = static_cast<int>(packed & 0xFF);
  const int note = static_cast<int>((packed >> 8) & 0x7F);
  const int velocity = static_cast<int>((packed >> 16) & 0x7F);
  const size_t key = static_cast<size_t>((status & 0x0F) * 128 + note);
  if ((status & 0xF0) == kNoteOn && velocity > 0) g_Playback.sounding.set(key);
  if ((status & 0xF0) == kNoteOff || ((status & 0xF0) == kNoteOn && velocity == 0)) g_Playback.sounding.reset(key);
  SendShort(status, note, velocity);
}

void Finish(bool stopped) {
  KillTimer();
  if (stopped) SendShort(kMidiStop, 0, 0);
  for (size_t key = 0; key < g_Playback.sounding.size(); ++key) {
    if (g_Playback.sounding.test(key)) SendShort(kNoteOff + static_cast<int>(key / 128), static_cast<int>(key % 128), 0);
  }
  g_Playback.sounding.reset();
  // The channels get back what the neck had on them.
  g_Playback.before.Emit([](uint32_t packed) {
    SendShort(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF), static_cast<int>(packed >> 16));
  });
  g_Playback = Playback{};
  g_SoundNeck = -1;
  g_bAutoPlay = 0;
  LinkSongClock();  // Escape is the song's again
  Screen().RepaintAll();
  ShowHintUnderPointer();
  SetDropAcceptance(true);
}

// Sends everything due by now, then sleeps until the next message.
void Step() {
  const int64_t elapsed = NowMs() - g_Playback.start_ms;
  std::vector<TimedShortMsg>& events = g_Playback.events;
  while (g_Playback.next < events.size() && events[g_Playback.next].time_ms <= static_cast<double>(elapsed)) {
    Send(events[g_Playback.next++].packed);
  }
  if (g_Playback.next == events.size()) {
    Finish(false);
    return;
  }
  const int64_t wait = std::clamp<int64_t>(static_cast<int64_t>(events[g_Playback.next].time_ms) - elapsed, 1, kMaxWaitMs);
  g_Playback.timer = g_Platform.timers
                         ? g_Platform.timers->SetEvent(static_cast<uint32_t>(wait), kTimerResolutionMs,
                                                       TakeTimerProc, 0, false)
                         : 0;
  // Without a timer the rest could never be played: the playback ends here.
  if (g_Playback.timer == 0) Finish(true);
}

void ShowFileError(const std::string& path, const std::string& why) {
  ShowMessageBox("The MIDI file could not be played: " + why + ".\n\"" + path + "\"  ", kSongFileCaption, MB_ICONHAND);
}

}  // namespace

int StartTakePlayback(const std::string& path) {
  if (g_Page != kPlayPage || g_bAutoPlay != 0) return 1;
  std::vector<TimedShortMsg> events;
  std::string error;
  if (ReadMidiFile(path, &events, &error) != 0) {
    ShowFileError(path, error);
    return 1;
  }
  // Whole milliseconds, as the timers count.
  for (TimedShortMsg& e : events) e.time_ms = std::floor(e.time_ms + 0.5);

  g_bAutoPlay = 1;
  SetDropAcceptance(false);
  RedrawHintLine();
  // What the player held is let go, as a song's end lets go of its keys.
  for (int key : kReleaseKeys) OnKeyUp(key, 0, 0);
  g_Capture = -1;
  StopTimer(kStrokeTimerSlot);
  StopTimer(kGlideTimerSlot);
  SetSongStopRequest(RequestTakeStop);

  g_Playback = Playback{};
  g_Playback.playing = true;
  g_Playback.events = std::move(events);
  g_Playback.before = g_TakeBuffer.state();
  SendShort(kMidiStart, 0, 0);
  g_Playback.start_ms = NowMs();
  Step();
  return 0;
}

void OnDropMidiFile(const std::string& path) {
  if (g_Page != kPlayPage || g_bAutoPlay != 0) return;
  ActivateMainFrame();
  StartTakePlayback(path);
}

void StopTakePlayback() {
  if (g_Playback.playing) Finish(true);
}

bool TakePlaying() { return g_Playback.playing; }

void OnTakeStep(const Message& m) {
  if (!g_Playback.playing) return;
  if (m.wParam == kTakeStepStop) {
    Finish(true);
    return;
  }
  // A wake-up of a timer already replaced finds nothing to do.
  if (static_cast<uint32_t>(m.lParam) != g_Playback.timer) return;
  g_Playback.timer = 0;
  Step();
}

void ResetTakePlaybackState() {
  KillTimer();
  g_Playback = Playback{};
}
