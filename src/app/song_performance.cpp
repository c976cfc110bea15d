// Running a song to its end on the headless system.
#include "app/song_performance.h"

#include "model/instrument.h"
#include "song/autoplay.h"
#include "song/song_state.h"

namespace {
// The clock moves one tick at a time so the end is seen when it happens.
constexpr int64_t kStepMs = 5;
}  // namespace

int PerformSong(const std::string& path, bool closeAfter, SongPerformance* out) {
  *out = SongPerformance{};
  HeadlessSystem system;
  system.StartUp();
  out->events = system.TakeEvents();
  out->dropMs = system.NowMs();
  system.Drop(path);
  out->started = g_bAutoPlay != 0;
  out->tempo = g_SongHeader.Tempo;
  const int64_t limit = system.NowMs() + kLongestSongMs;
  while (g_bAutoPlay != 0 && system.NowMs() < limit) system.Wait(kStepMs);
  out->endMs = system.NowMs();
  if (closeAfter) system.Close();
  std::vector<HeadlessEvent> rest = system.TakeEvents();
  out->events.insert(out->events.end(), rest.begin(), rest.end());
  return out->started && g_bAutoPlay == 0 ? 0 : 1;
}

std::vector<TimedShortMsg> PerformanceMessages(const SongPerformance& p) {
  std::vector<TimedShortMsg> msgs;
  for (const HeadlessEvent& e : p.events) {
    if (e.kind != HeadlessEvent::kMidi) continue;
    const int64_t t = e.during_startup ? 0 : e.time_ms - p.dropMs;
    msgs.push_back({static_cast<double>(t < 0 ? 0 : t), e.packed});
  }
  return msgs;
}
