// The song step of the 5 ms tick: which song step messages go to the view at
// which tick, for batches, the end, a stop request and a MIDI Start the song
// never reaches. (MIDI Start at its tick is checked on the sent bytes in
// autoplay_test.)
#include <gtest/gtest.h>

#include <vector>

#include "app/reset.h"
#include "midi/timers.h"
#include "platform/platform.h"
#include "platform/virtual_clock.h"
#include "song/autoplay.h"
#include "song/autoplay_tick.h"
#include "song/song_state.h"

namespace {

struct Posted {
  int tick;  // 1 is the tick that starts the song clock
  WPARAM kind;
  LPARAM index;
  bool operator==(const Posted&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Posted& p) {
  return os << "{tick " << p.tick << ", kind " << p.kind << ", index " << p.index << "}";
}

struct Case {
  const char* name;
  std::vector<SongEvent> table;
  int32_t midiStart;  // g_MidiStartTime at the start
  int stopAfterTick;  // Escape after this tick, 0 never
  std::vector<Posted> expected;
  int endsAtTick;     // the tick after which g_AutoPlayState is 0
};

TEST(AutoPlayTick, PostsBatchesEndStopAndMidiStartAtTheirTicks) {
  const Case cases[] = {
      {"two events at 0 ms and one at 500 ms",
       {{0, EventBar, 5}, {0, EventKey, 1}, {500, EventKey, -1}, {500, EventEnd, 0}},
       0, 0, {{1, 0, 1}, {101, 0, 3}}, 101},
      {"a single event at 0 ms waits for the next batch",
       {{0, EventVelocity, 9}, {500, EventKey, 1}, {1000, EventEnd, 0}},
       0, 0, {{101, 0, 1}, {201, 0, 2}}, 201},
      {"a score of waits only still ends through the view",
       {{2000, EventEnd, 0}}, 0, 0, {{401, 0, 0}}, 401},
      {"Escape", {{0, EventBar, 5}, {0, EventKey, 1}, {5000, EventEnd, 0}},
       0, 3, {{1, 0, 1}, {4, 1, 0}}, 4},
      {"MIDI Start later than the song never comes",
       {{0, EventBar, 5}, {0, EventKey, 1}, {100, EventEnd, 0}},
       300, 0, {{1, 0, 1}, {21, 0, 2}}, 21},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetAllState();
    VirtualClock clock;
    const Platform saved = g_Platform;
    g_Platform.queue = &clock;
    std::vector<Posted> posted;
    int tick = 0;
    clock.SetHandler([&](const Message& m) {
      ASSERT_EQ(m.msg, WM_SONG_STEP);
      posted.push_back({tick, m.wParam, m.lParam});
    });
    std::copy(c.table.begin(), c.table.end(), g_SongEvent);
    g_MidiStartTime = c.midiStart;
    g_AutoPlayState = 1;
    int endedAt = 0;
    for (tick = 1; tick <= 2000 && g_AutoPlayState != 0; ++tick) {
      if (c.stopAfterTick != 0 && tick == c.stopAfterTick + 1) g_bStopRequest = 1;
      AutoPlayTick();
      clock.DeliverPending();
      if (g_AutoPlayState == 0) endedAt = tick;
      if (tick == 1) {
        EXPECT_EQ(g_SongTime, 0);
      }
    }
    EXPECT_EQ(posted, c.expected);
    EXPECT_EQ(endedAt, c.endsAtTick);
    EXPECT_EQ(g_SongTime, (c.endsAtTick - 1) * 5);
    g_Platform = saved;
  }
}

}  // namespace
