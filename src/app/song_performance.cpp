// Running a song to its end on the headless system.
#include "app/song_performance.h"

#include "model/instrument.h"
#include "song/autoplay.h"
#include "song/song_state.h"

namespace {
// The clock moves one tick at a time so the end is seen when it happens.
constexpr int64_t kStepMs = 5;
}  // namespace

int PerformSong(const std::string& path, bool closeAfter, SongPerformance* out,
                const PerformanceListener& listener) {
  *out = SongPerformance{};
  HeadlessSystem system;
  // The song file is what is kept of a song; no take is made of it.
  system.SetSaveTakeAtExit(false);
  auto take = [&] {
    std::vector<HeadlessEvent> batch = system.TakeEvents();
    if (batch.empty()) return;
    if (listener) {
      listener(batch);
    } else {
      out->events.insert(out->events.end(), batch.begin(), batch.end());
    }
  };
  system.StartUp();
  out->dropMs = system.NowMs();
  take();
  system.Drop(path);
  out->started = g_bAutoPlay != 0;
  out->tempo = g_SongHeader.Tempo;
  const int64_t limit = system.NowMs() + kLongestSongMs;
  // A listener hears each second as soon as it is played.
  constexpr int64_t kBatchMs = 1000;
  int64_t next_batch = system.NowMs() + kBatchMs;
  while (g_bAutoPlay != 0 && system.NowMs() < limit) {
    system.Wait(kStepMs);
    if (listener && system.NowMs() >= next_batch) {
      take();
      next_batch += kBatchMs;
    }
  }
  out->endMs = system.NowMs();
  if (closeAfter) system.Close();
  take();
  return out->started && g_bAutoPlay == 0 ? 0 : 1;
}

void AppendPerformanceMessages(const std::vector<HeadlessEvent>& batch, int64_t dropMs,
                               std::vector<TimedShortMsg>* messages) {
  for (const HeadlessEvent& e : batch) {
    if (e.kind != HeadlessEvent::kMidi) continue;
    const int64_t t = e.during_startup ? 0 : e.time_ms - dropMs;
    messages->push_back({static_cast<double>(t < 0 ? 0 : t), e.packed});
  }
}

std::vector<TimedShortMsg> PerformanceMessages(const SongPerformance& p) {
  std::vector<TimedShortMsg> msgs;
  AppendPerformanceMessages(p.events, p.dropMs, &msgs);
  return msgs;
}
