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

  int32_t m_Tempo = g_SongHeader.Tempo < kLowestTempo ? kLowestTempo : g_SongHeader.Tempo;
  int32_t m_Units = 0;
  int32_t m_NowMs = 0;
  int32_t m_Fret = -1;  // fret of the last "b=", none before
  int32_t m_Bend = 0;   // bar bend from that fret, 64 a fret
  int32_t m_Count = 0;
};

int Compiler::Write(int32_t type, int32_t value) {
  g_SongEvent[m_Count++] = SongEvent{m_NowMs, type, value};
  // The last place is kept for the end event.
  if (m_Count >= kSongEventCount) {
    ShowSongError(SongMessage::kTooManyEvents);
    return kCompileTooMany;
  }
  return 0;
}

int Compiler::AddTime(int32_t units) {
  m_Units += units;
  if (m_Units > kMaxSongUnits) {
    ShowSongError(SongMessage::kTooManyBars);
    return kCompileTooLong;
  }
  m_NowMs = SongUnitsToMs(m_Units, m_Tempo);
  return 0;
}

int Compiler::Slide(int32_t duration, int32_t targetFret) {
  const int32_t t0 = m_NowMs;
  if (int rc = AddTime(duration)) return rc;
  const int32_t t1 = m_NowMs;
  const int32_t target = (targetFret - m_Fret) * kBendPerFret;
  int32_t t = t0;
  int32_t b = m_Bend;
  for (;;) {
    m_NowMs = t;
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
  m_NowMs = t1;
  m_Bend = target;
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
        g_SongEvent[m_Count++] = SongEvent{m_NowMs, EventEnd, 0};
        g_SongEventCount = m_Count;
        return 0;
      default:
        if (item.Type == EventBar) m_Fret = item.Value % kBarStringStride;
        rc = Write(item.Type, item.Value);
        // A key pressed or released starts again from the bar's own fret.
        if (rc == 0 && item.Type == EventKey) m_Bend = 0;
        break;
    }
    if (rc != 0) {
      g_SongEventCount = m_Count;
      return rc;
    }
  }
  // An entry list without its end entry still ends the table.
  g_SongEvent[m_Count++] = SongEvent{m_NowMs, EventEnd, 0};
  g_SongEventCount = m_Count;
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
