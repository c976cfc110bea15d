// The song compiler: absolute times in ms for every event, slides expanded into
// bend steps 20 ms apart, and the limits on length and event count.
#include "song/song_compiler.h"

#include "song/song_messages.h"
#include "song/song_state.h"

namespace {

constexpr int32_t kMsPerMinute = 60000;
constexpr int32_t kLowestTempo = 1;  // beats a minute; guards the division only

class Compiler {
 public:
  int Run();

 private:
  int Write(int32_t type, int32_t value);
  int AddTime(int32_t units);
  int Slide(int32_t duration, int32_t targetFret);

  int32_t tempo_ = g_SongHeader.Tempo < kLowestTempo ? kLowestTempo : g_SongHeader.Tempo;
  int32_t units_ = 0;
  int32_t nowMs_ = 0;
  int32_t fret_ = -1;  // fret of the last "b=", none before
  int32_t bend_ = 0;   // bar bend from that fret, 64 a fret
  int32_t count_ = 0;
};

int Compiler::Write(int32_t type, int32_t value) {
  g_SongEvent[count_++] = SongEvent{nowMs_, type, value};
  // The last place is kept for the end event.
  if (count_ >= kSongEventCount) {
    ShowSongError(SongMessage::kTooManyEvents);
    return kCompileTooMany;
  }
  return 0;
}

int Compiler::AddTime(int32_t units) {
  units_ += units;
  if (units_ > kMaxSongUnits) {
    ShowSongError(SongMessage::kTooManyBars);
    return kCompileTooLong;
  }
  nowMs_ = SongUnitsToMs(units_, tempo_);
  return 0;
}

int Compiler::Slide(int32_t duration, int32_t targetFret) {
  const int32_t t0 = nowMs_;
  if (int rc = AddTime(duration)) return rc;
  const int32_t t1 = nowMs_;
  const int32_t target = (targetFret - fret_) * kBendPerFret;
  int32_t t = t0;
  int32_t b = bend_;
  for (;;) {
    nowMs_ = t;
    if (int rc = Write(EventSlide, b)) return rc;
    if (t >= t1) break;
    t += kSlideStepMs;
    if (t >= t1) {
      t = t1;
      b = target;
    } else {
      // Move a share of the remaining distance that fits the remaining time.
      const int32_t remaining = t1 - t < kSlideStepMs ? kSlideStepMs : t1 - t;
      b += (target - b) * kSlideStepMs / remaining;
    }
  }
  nowMs_ = t1;
  bend_ = target;
  return 0;
}

int Compiler::Run() {
  for (int i = 0; i < kSongItemCount; ++i) {
    const SongItem& item = g_SongItem[i];
    int rc = 0;
    switch (item.Type) {
      case EventTime:
        rc = AddTime(item.Value);
        break;
      case EventSlide: {
        // A slide is two entries: the duration, then the target fret.
        const int32_t fret = i + 1 < kSongItemCount ? g_SongItem[++i].Value : 0;
        rc = Slide(item.Value, fret % kBarStringStride);
        break;
      }
      case EventEnd:
        g_SongEvent[count_++] = SongEvent{nowMs_, EventEnd, 0};
        g_SongEventCount = count_;
        return 0;
      default:
        if (item.Type == EventBar) fret_ = item.Value % kBarStringStride;
        rc = Write(item.Type, item.Value);
        // A key pressed or released starts again from the bar's own fret.
        if (rc == 0 && item.Type == EventKey) bend_ = 0;
        break;
    }
    if (rc != 0) {
      g_SongEventCount = count_;
      return rc;
    }
  }
  // An entry list without its end entry still ends the table.
  g_SongEvent[count_++] = SongEvent{nowMs_, EventEnd, 0};
  g_SongEventCount = count_;
  return 0;
}

}  // namespace

int32_t SongUnitsToMs(int32_t units, int32_t tempo) {
  return units * kMsPerMinute / tempo / kUnitsPerBeat;
}

int CompileSong() {
  Compiler compiler;
  return compiler.Run();
}
