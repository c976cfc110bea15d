#include "model/tunings.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/reset.h"
#include "model/instrument.h"
#include "model/settings.h"

namespace {

class TuningsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    ApplyDefaultSettings();
    BuildPedalNoteNames();
    BuildStringNotes();
  }
  static std::vector<int> Notes(int t, int row) {
    return std::vector<int>(g_Tuning[t].Note[row], g_Tuning[t].Note[row] + kStringCount);
  }
  static void SetNames(int t, std::vector<std::string> names) {
    for (int s = 0; s < kStringCount; ++s) g_Tuning[t].NoteName[0][s] = names[s];
  }
};

TEST_F(TuningsTest, DefaultTuningsSoundTheirOpenStringsAndPedalRows) {
  // Per tuning: open, pedal 1, pedal 2, both.
  const std::vector<int> notes[kTuningCount][4] = {
      {{67, 64, 60, 57, 55, 52, 48, 45}, {67, 64, 61, 57, 55, 52, 49, 45},
       {67, 64, 60, 58, 55, 52, 48, 46}, {67, 64, 61, 58, 55, 52, 49, 46}},
      {{64, 62, 60, 57, 55, 52, 50, 48}, {64, 62, 61, 57, 55, 52, 50, 48},
       {65, 62, 60, 57, 55, 53, 50, 48}, {65, 62, 61, 57, 55, 53, 50, 48}},
      {{66, 62, 59, 55, 52, 48, 45, 43}, {65, 62, 59, 55, 53, 47, 45, 43},
       {67, 62, 60, 55, 52, 48, 45, 43}, {66, 62, 60, 55, 53, 47, 45, 43}},
      {{67, 64, 60, 57, 54, 52, 48, 45}, {66, 64, 61, 58, 54, 52, 49, 46},
       {67, 64, 60, 57, 55, 52, 48, 45}, {66, 64, 61, 58, 55, 52, 49, 46}},
      {{68, 64, 62, 59, 56, 52, 50, 47}, {68, 64, 63, 59, 56, 52, 51, 47},
       {67, 64, 62, 59, 55, 52, 50, 47}, {67, 64, 63, 59, 55, 52, 51, 47}},
      {{68, 64, 62, 59, 56, 54, 50, 47}, {68, 65, 61, 59, 56, 54, 51, 47},
       {68, 64, 61, 59, 56, 54, 50, 47}, {68, 65, 61, 59, 56, 54, 51, 47}},
      {{64, 61, 56, 54, 50, 47, 44, 40}, {64, 61, 56, 54, 51, 47, 44, 40},
       {64, 61, 57, 54, 49, 47, 45, 40}, {64, 61, 57, 54, 50, 47, 45, 40}},
      {{64, 61, 57, 54, 51, 47, 44, 42}, {64, 61, 57, 55, 52, 47, 44, 42},
       {64, 62, 57, 54, 50, 47, 44, 42}, {64, 62, 57, 55, 51, 47, 44, 42}},
  };
  for (int t = 0; t < kTuningCount; ++t) {
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Notes(t, k), notes[t][k]) << g_Tuning[t].Name << " row " << k;
  }
}

TEST_F(TuningsTest, OpenStringsFallFromTheStringAbove) {
  SetNames(0, {"B#", "B#", "Cb", "C", "x", "c", "G", "G"});
  BuildStringNotes();
  // "B#" is an octave above C; equal names repeat the pitch; unknown names
  // ("x", and lower-case "c") sound as C.
  EXPECT_EQ(Notes(0, 0), (std::vector<int>{72, 72, 59, 48, 48, 48, 43, 43}));
  // Nothing goes below 24: a string that would is raised an octave.
  SetNames(0, {"C", "Cb", "C", "Cb", "C", "Cb", "C", "Cb"});
  BuildStringNotes();
  EXPECT_EQ(Notes(0, 0), (std::vector<int>{60, 59, 48, 47, 36, 35, 24, 35}));
}

TEST_F(TuningsTest, PedalRowsAreSpelledByTheNameRuleAndMoveOneSemitoneAtMost) {
  struct Case {
    const char* name;
    int pedal1, pedal2;
    const char* names[3];  // under pedal 1, pedal 2, both
    int moves[3];          // semitones under pedal 1, pedal 2, both
  };
  const Case cases[] = {
      {"B#", -1, 1, {"B", "C#", "B#"}, {-1, 1, 0}}, {"C", -1, 1, {"B", "C#", "C"}, {-1, 1, 0}},
      {"F", -1, 1, {"E", "F#", "F"}, {-1, 1, 0}},   {"E", -1, 1, {"Eb", "F", "E"}, {-1, 1, 0}},
      {"B", -1, 1, {"Bb", "C", "B"}, {-1, 1, 0}},   {"Cb", -1, 1, {"Bb", "C", "Cb"}, {-1, 1, 0}},
      {"Fb", -1, 1, {"Eb", "F", "Fb"}, {-1, 1, 0}}, {"E#", -1, 1, {"E", "F#", "E#"}, {-1, 1, 0}},
      {"Gb", -1, 1, {"F", "G", "Gb"}, {-1, 1, 0}},  {"G#", -1, 1, {"G", "A", "G#"}, {-1, 1, 0}},
      {"G", 1, 1, {"G#", "G#", "G#"}, {1, 1, 1}},   {"C", -1, -1, {"B", "B", "B"}, {-1, -1, -1}},
      {"E", 1, -1, {"F", "Eb", "E"}, {1, -1, 0}},   {"B#", 1, 0, {"C#", "B#", "C#"}, {1, 0, 1}},
      // Odd offsets name by their sign; alone they move no note, together by the sign of the sum.
      {"D", 5, -3, {"D#", "Db", "D"}, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.pedal1) + " " + std::to_string(c.pedal2));
    g_Tuning[0].NoteName[0][0] = c.name;
    g_Tuning[0].Pedal[0][0] = c.pedal1;
    g_Tuning[0].Pedal[1][0] = c.pedal2;
    BuildPedalNoteNames();
    BuildStringNotes();
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(g_Tuning[0].NoteName[k][0], c.names[k - 1]) << k;
      EXPECT_EQ(g_Tuning[0].Note[k][0] - g_Tuning[0].Note[0][0], c.moves[k - 1]) << k;
    }
  }
  // An unknown name leaves the pedal rows' names as they were.
  g_Tuning[0].NoteName[1][0] = "kept";
  g_Tuning[0].NoteName[0][0] = "H";
  BuildPedalNoteNames();
  EXPECT_EQ(g_Tuning[0].NoteName[1][0], "kept");
}

TEST(GuideKey, NamesGiveTheMajorKeyOfTheirRoot) {
  const std::pair<const char*, int> cases[] = {
      {"C6", 0}, {"C69", 0}, {"C13", 0}, {"Am67", 12}, {"E7", 4}, {"E9", 4},  {"E13", 4},
      {"B11", 11}, {"F#m", 9}, {"Bb", 10}, {"x", 0},   {"", 0},  {"Dbm", 4}, {"G#", 8}};
  for (const auto& [name, key] : cases) EXPECT_EQ(GuideKeyOfName(name), key) << name;
}

TEST_F(TuningsTest, GuideMarksScaleDegreesInTheNecksKeyUnderThePedals) {
  struct Case {
    int tuning, shift, pedal1, string, fret, degree;
  };
  const Case cases[] = {
      {0, 0, 1, 2, 0, 0}, {0, 0, 1, 2, 1, 2},  // C6 with pedal 1: the C strings are C#, D a fret up
      {0, -8, 0, 0, 0, 0},                     // off
      {0, 0, 0, 0, 0, 5}, {0, 0, 0, 1, 0, 3}, {0, 0, 0, 2, 0, 1}, {0, 0, 0, 2, 1, 0},  // C6: G E C; C#
      {0, 0, 0, 3, 0, 6}, {0, 0, 0, 2, 11, 7},  // A; B
      {0, 7, 0, 0, 0, 1}, {0, 7, 0, 1, 0, 6},   // in G
      {3, 0, 0, 3, 0, 6},                       // Am67 shows C major: A
  };
  for (const Case& c : cases) {
    g_Neck[0].Tuning = c.tuning;
    g_Neck[0].GuideShift = c.shift;
    g_Pedal1 = c.pedal1;
    BuildGuide(0);
    EXPECT_EQ(g_Neck[0].Guide[c.string][c.fret], c.degree)
        << "tuning " << c.tuning << " shift " << c.shift << " pedal " << c.pedal1 << " at "
        << c.string << "," << c.fret;
  }
}

}  // namespace
