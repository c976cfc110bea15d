// The event table: times from the running unit count, slides expanded into
// bend steps 20 ms apart, and the length and size limits.
#include <gtest/gtest.h>

#include <vector>

#include "song/song_compiler.h"
#include "song/song_test_util.h"

namespace {

struct Ev {
  int time;
  int type;
  int value;
  bool operator==(const Ev&) const = default;
};

void PrintTo(const Ev& e, std::ostream* os) { *os << "{" << e.time << ", " << e.type << ", " << e.value << "}"; }

class SongCompilerTest : public SongFileTest {
 protected:
  // Compiles items (the end entry is added) at tempo.
  int Compile(const std::vector<SongItem>& items, int tempo) {
    int i = 0;
    for (const SongItem& item : items) g_SongItem[i++] = item;
    g_SongItem[i++] = {EventEnd, 0};
    g_SongItemCount = i;
    g_SongHeader.Tempo = tempo;
    return CompileSong();
  }
  std::vector<Ev> Events() const {
    std::vector<Ev> events;
    for (int i = 0; i < g_SongEventCount; ++i) {
      events.push_back({g_SongEvent[i].TimeMs, g_SongEvent[i].Type, g_SongEvent[i].Value});
    }
    return events;
  }
};

TEST_F(SongCompilerTest, UnitsBecomeMillisecondsFromTheRunningTotal) {
  struct Case {
    int units;
    int tempo;
    int ms;
  };
  const Case cases[] = {
      {1, 120, 20}, {24, 120, 500}, {96, 120, 2000}, {24, 180, 333}, {48, 180, 666},
      {19200, 30, 1600000}, {1, 180, 13}, {7, 97, 180},
  };
  for (const Case& c : cases) EXPECT_EQ(SongUnitsToMs(c.units, c.tempo), c.ms) << c.units << " @" << c.tempo;

  // Many small waits add no rounding error: 3 x 8 units land where 24 do.
  ASSERT_EQ(Compile({{EventTime, 8}, {EventTime, 8}, {EventTime, 8}, {EventKey, -1}}, 180), 0);
  EXPECT_EQ(Events(), (std::vector<Ev>{{333, 3, -1}, {333, 255, 0}}));
}

TEST_F(SongCompilerTest, TwoHundredBarsAtTempoThirtyIsTheLongestSong) {
  std::vector<SongItem> items(200, {EventTime, 96});
  ASSERT_EQ(Compile(items, 30), 0);
  EXPECT_EQ(Events(), (std::vector<Ev>{{1600000, 255, 0}}));

  items.push_back({EventTime, 1});
  EXPECT_EQ(Compile(items, 30), kCompileTooLong);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0], (RecordedBox{"Exceeds 200 Bar", g_SongPath, MB_ICONHAND}));
}

TEST_F(SongCompilerTest, SlideGlidesToItsTargetAndBack) {
  ASSERT_EQ(Compile({{EventBar, 5}, {EventKey, 1}, {EventSlide, 24}, {EventSlide, 7}, {EventSlide, 24},
                     {EventSlide, 5}},
                    120),
            0);
  const std::vector<Ev> events = Events();
  ASSERT_EQ(events.size(), 2u + 26 + 26 + 1);
  EXPECT_EQ(events[0], (Ev{0, 1, 5}));
  EXPECT_EQ(events[1], (Ev{0, 3, 1}));
  // Up to two frets (128) and back to the bar's own fret, each over 500 ms:
  // steps at 0, 20, ... 480 ms and the end; the second step is 128 * 20 / 480 on.
  struct Glide {
    size_t first;
    int start, from, second, to;
  };
  for (const Glide& g : {Glide{2, 0, 0, 5, 128}, Glide{28, 500, 128, 123, 0}}) {
    for (int k = 0; k <= 25; ++k) {
      const Ev& e = events[g.first + k];
      EXPECT_EQ(e.time, g.start + (k < 25 ? 20 * k : 500));
      EXPECT_EQ(e.type, EventSlide);
      if (k > 0) {
        EXPECT_GE((e.value - events[g.first + k - 1].value) * (g.to - g.from), 0) << k;
      }
    }
    EXPECT_EQ(events[g.first].value, g.from);
    EXPECT_EQ(events[g.first + 1].value, g.second);
    EXPECT_EQ(events[g.first + 25].value, g.to);
  }
  EXPECT_EQ(events[54], (Ev{1000, 255, 0}));
}

TEST_F(SongCompilerTest, SlideToWhereTheBarIsKeepsItsValue) {
  ASSERT_EQ(Compile({{EventBar, 32 + 3}, {EventKey, 2}, {EventSlide, 3}, {EventSlide, 3}}, 60), 0);
  const std::vector<Ev> events = Events();
  // 3 units at tempo 60 are 125 ms: steps at 0, 20, ... 120 and 125.
  ASSERT_EQ(events.size(), 2u + 8 + 1);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(events[2 + k], (Ev{k < 7 ? 20 * k : 125, 99, 0}));
}

TEST_F(SongCompilerTest, KeyStartsAgainFromTheBarsFretButTheBarDoesNot) {
  ASSERT_EQ(Compile({{EventBar, 5}, {EventKey, 1}, {EventSlide, 1}, {EventSlide, 6}, {EventBar, 7},
                     {EventSlide, 1}, {EventSlide, 7}, {EventKey, 2}, {EventSlide, 1}, {EventSlide, 8}},
                    125),
            0);
  // At tempo 125 a unit is 20 ms: each slide has a step at its start and one at its end.
  EXPECT_EQ(Events(), (std::vector<Ev>{{0, 1, 5},
                                       {0, 3, 1},
                                       {0, 99, 0},
                                       {20, 99, 64},
                                       {20, 1, 7},
                                       {20, 99, 64},   // the bend stays after "b="
                                       {40, 99, 0},    // target measured from fret 7
                                       {40, 3, 2},
                                       {40, 99, 0},    // the key reset the bend
                                       {60, 99, 64},
                                       {60, 255, 0}}));
}

TEST_F(SongCompilerTest, EventTableHoldsNinetyNineThousandNineHundredAndNinetyNineEventsAndStopsInsideASlide) {
  // No song within 200 bars at a song tempo expands this far, so the test
  // builds its items at tempo 10, where a unit is 250 ms and a 96-unit slide
  // writes 24000 / 20 + 1 = 1201 events.
  std::vector<SongItem> items = {{EventBar, 0}, {EventKey, 1}};
  for (int i = 0; i < 83; ++i) {
    items.push_back({EventSlide, 96});
    items.push_back({EventSlide, i % 2 ? 0 : 19});
  }
  for (int i = 0; i < 314; ++i) items.push_back({EventVelocity, 64});
  ASSERT_LT(items.size(), static_cast<size_t>(kSongItemCount));
  ASSERT_EQ(Compile(items, 10), 0);
  EXPECT_EQ(g_SongEventCount, 100000);
  EXPECT_EQ(g_SongEvent[99999].Type, EventEnd);
  EXPECT_EQ(g_SongEvent[99999].TimeMs, 83 * 24000);
  EXPECT_TRUE(boxes_.boxes.empty());

  items.push_back({EventVelocity, 65});
  EXPECT_EQ(Compile(items, 10), kCompileTooMany);
  EXPECT_EQ(g_SongEventCount, 100000);
  EXPECT_EQ(g_SongEvent[99999].Type, EventVelocity);
  EXPECT_EQ(g_SongEvent[99999].Value, 65);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0], (RecordedBox{"Too many Events", g_SongPath, MB_ICONHAND}));

  // Filling up inside a slide stops there.
  items.resize(2 + 2 * 83);
  items.insert(items.end(), {{EventSlide, 96}, {EventSlide, 19}});
  EXPECT_EQ(Compile(items, 10), kCompileTooMany);
  EXPECT_EQ(g_SongEventCount, 100000);
  EXPECT_EQ(g_SongEvent[99999].Type, EventSlide);
}

}  // namespace
