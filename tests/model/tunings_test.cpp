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
  static std::vector<std::string> Names(int t, int row) {
    return std::vector<std::string>(g_Tuning[t].NoteName[row], g_Tuning[t].NoteName[row] + kStringCount);
  }
  static void SetNames(int t, std::vector<std::string> names) {
    for (int s = 0; s < kStringCount; ++s) g_Tuning[t].NoteName[0][s] = names[s];
  }
};

TEST_F(TuningsTest, DefaultTuningsSoundTheirOpenStringsAndPedalRows) {
  struct Case {
    int tuning;
    std::vector<int> open, pedal1, pedal2, both;
  };
  const Case cases[] = {
      {0, {67, 64, 60, 57, 55, 52, 48, 45}, {67, 64, 61, 57, 55, 52, 49, 45},
       {67, 64, 60, 58, 55, 52, 48, 46}, {67, 64, 61, 58, 55, 52, 49, 46}},
      {1, {64, 62, 60, 57, 55, 52, 50, 48}, {64, 62, 61, 57, 55, 52, 50, 48},
       {65, 62, 60, 57, 55, 53, 50, 48}, {65, 62, 61, 57, 55, 53, 50, 48}},
      {2, {66, 62, 59, 55, 52, 48, 45, 43}, {65, 62, 59, 55, 53, 47, 45, 43},
       {67, 62, 60, 55, 52, 48, 45, 43}, {66, 62, 60, 55, 53, 47, 45, 43}},
      {3, {67, 64, 60, 57, 54, 52, 48, 45}, {66, 64, 61, 58, 54, 52, 49, 46},
       {67, 64, 60, 57, 55, 52, 48, 45}, {66, 64, 61, 58, 55, 52, 49, 46}},
      {4, {68, 64, 62, 59, 56, 52, 50, 47}, {68, 64, 63, 59, 56, 52, 51, 47},
       {67, 64, 62, 59, 55, 52, 50, 47}, {67, 64, 63, 59, 55, 52, 51, 47}},
      {5, {68, 64, 62, 59, 56, 54, 50, 47}, {68, 65, 61, 59, 56, 54, 51, 47},
       {68, 64, 61, 59, 56, 54, 50, 47}, {68, 65, 61, 59, 56, 54, 51, 47}},
      {6, {64, 61, 56, 54, 50, 47, 44, 40}, {64, 61, 56, 54, 51, 47, 44, 40},
       {64, 61, 57, 54, 49, 47, 45, 40}, {64, 61, 57, 54, 50, 47, 45, 40}},
      {7, {64, 61, 57, 54, 51, 47, 44, 42}, {64, 61, 57, 55, 52, 47, 44, 42},
       {64, 62, 57, 54, 50, 47, 44, 42}, {64, 62, 57, 55, 51, 47, 44, 42}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(g_Tuning[c.tuning].Name);
    EXPECT_EQ(Notes(c.tuning, 0), c.open);
    EXPECT_EQ(Notes(c.tuning, 1), c.pedal1);
    EXPECT_EQ(Notes(c.tuning, 2), c.pedal2);
    EXPECT_EQ(Notes(c.tuning, 3), c.both);
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

TEST_F(TuningsTest, BothPedalsMoveAStringOneSemitoneAtMost) {
  SetNames(0, {"G", "E", "C", "A", "G", "E", "C", "A"});
  g_Tuning[0].Pedal[0][0] = 1;  g_Tuning[0].Pedal[1][0] = 1;
  g_Tuning[0].Pedal[0][1] = 1;  g_Tuning[0].Pedal[1][1] = -1;
  g_Tuning[0].Pedal[0][2] = -1; g_Tuning[0].Pedal[1][2] = -1;
  BuildStringNotes();
  BuildPedalNoteNames();
  EXPECT_EQ(g_Tuning[0].Note[1][0], 68);
  EXPECT_EQ(g_Tuning[0].Note[2][0], 68);
  EXPECT_EQ(g_Tuning[0].Note[3][0], 68);
  EXPECT_EQ(g_Tuning[0].Note[3][1], 64);
  EXPECT_EQ(g_Tuning[0].Note[3][2], 59);
  EXPECT_EQ(g_Tuning[0].NoteName[3][0], "G#");
  EXPECT_EQ(g_Tuning[0].NoteName[3][1], "E");
  EXPECT_EQ(g_Tuning[0].NoteName[3][2], "B");
}

TEST_F(TuningsTest, PedalNamesAreSpelledByTheNameRule) {
  struct Case {
    const char* name;
    const char* lower;
    const char* higher;
  };
  const Case cases[] = {{"B#", "B", "C#"}, {"C", "B", "C#"},  {"F", "E", "F#"}, {"E", "Eb", "F"},
                        {"B", "Bb", "C"},  {"Cb", "Bb", "C"}, {"Fb", "Eb", "F"}, {"E#", "E", "F#"},
                        {"Gb", "F", "G"},  {"G#", "G", "A"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_Tuning[0].NoteName[0][0] = c.name;
    g_Tuning[0].Pedal[0][0] = -1;
    g_Tuning[0].Pedal[1][0] = 1;
    BuildPedalNoteNames();
    EXPECT_EQ(g_Tuning[0].NoteName[1][0], c.lower);
    EXPECT_EQ(g_Tuning[0].NoteName[2][0], c.higher);
    EXPECT_EQ(g_Tuning[0].NoteName[3][0], c.name);
  }
}

TEST_F(TuningsTest, RaisedBSharpIsSpelledCSharpAndSounds73) {
  g_Tuning[0].NoteName[0][0] = "B#";
  g_Tuning[0].Pedal[0][0] = 1;
  BuildPedalNoteNames();
  BuildStringNotes();
  EXPECT_EQ(g_Tuning[0].NoteName[1][0], "C#");
  EXPECT_EQ(g_Tuning[0].Note[1][0], 73);
}

TEST_F(TuningsTest, UnknownNameKeepsItsPedalNamesAndOddOffsetsCountBySign) {
  g_Tuning[0].NoteName[1][0] = "kept";
  g_Tuning[0].NoteName[0][0] = "H";
  BuildPedalNoteNames();
  EXPECT_EQ(g_Tuning[0].NoteName[1][0], "kept");
  g_Tuning[0].NoteName[0][0] = "D";
  g_Tuning[0].Pedal[0][0] = 5;
  g_Tuning[0].Pedal[1][0] = -3;
  BuildPedalNoteNames();
  BuildStringNotes();
  EXPECT_EQ(g_Tuning[0].NoteName[1][0], "D#");
  EXPECT_EQ(g_Tuning[0].NoteName[2][0], "Db");
  EXPECT_EQ(g_Tuning[0].NoteName[3][0], "D");
  // Note numbers only move for -1 and +1.
  EXPECT_EQ(g_Tuning[0].Note[1][0], g_Tuning[0].Note[0][0]);
}

TEST(GuideKey, NamesGiveTheMajorKeyOfTheirRoot) {
  struct Case {
    const char* name;
    int key;
  };
  const Case cases[] = {{"C6", 0},  {"C69", 0}, {"C13", 0},  {"Am67", 12}, {"E7", 4}, {"E9", 4},
                        {"E13", 4}, {"B11", 11}, {"F#m", 9}, {"Bb", 10},   {"x", 0},  {"", 0},
                        {"Dbm", 4}, {"G#", 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GuideKeyOfName(c.name), c.key);
  }
}

TEST_F(TuningsTest, GuideMarksScaleDegreesInTheNecksKey) {
  g_Neck[0].Tuning = 0;  // C6: G E C A G E C A
  g_Neck[0].GuideShift = 0;
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[0][0], 5);  // G in C
  EXPECT_EQ(g_Neck[0].Guide[1][0], 3);  // E
  EXPECT_EQ(g_Neck[0].Guide[2][0], 1);  // C
  EXPECT_EQ(g_Neck[0].Guide[2][1], 0);  // C#
  EXPECT_EQ(g_Neck[0].Guide[3][0], 6);  // A
  EXPECT_EQ(g_Neck[0].Guide[2][11], 7);  // B

  g_Neck[0].GuideShift = 7;  // key of G
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[0][0], 1);
  EXPECT_EQ(g_Neck[0].Guide[1][0], 6);

  g_Neck[0].GuideShift = -8;
  BuildGuide(0);
  for (auto& row : g_Neck[0].Guide)
    for (int cell : row) EXPECT_EQ(cell, 0);
  g_Neck[0].GuideShift = 0;
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[0][0], 5);

  g_Neck[0].Tuning = 3;  // Am67 shows C major
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[3][0], 6);  // A
}

TEST_F(TuningsTest, GuideFollowsThePedalsDown) {
  g_Neck[0].Tuning = 0;
  g_Neck[0].GuideShift = 0;
  g_Pedal1 = 1;  // raises the C strings to C#
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[2][0], 0);
  EXPECT_EQ(g_Neck[0].Guide[2][1], 2);  // D
  g_Pedal1 = 0;
  BuildGuide(0);
  EXPECT_EQ(g_Neck[0].Guide[2][0], 1);
}

TEST(InstrumentState, ResetReturnsToProgramStart) {
  g_Neck[0].SoundingNote[3] = 60;
  g_Page = 2;
  g_SoundNeck = 1;
  g_BarBend = 100;
  ResetAllState();
  EXPECT_EQ(g_Neck[0].SoundingNote[3], 0);
  EXPECT_EQ(g_Page, 0);
  EXPECT_EQ(g_SoundNeck, -1);
  EXPECT_EQ(g_PlayNeck, -1);
  EXPECT_EQ(g_BarFret, -1);
  EXPECT_EQ(g_BarBend, 8192);
  EXPECT_TRUE(g_Tuning[0].Name.empty());
}

}  // namespace
