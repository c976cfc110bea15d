#include "perform/keyboard.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "midi/timers.h"
#include "perform/play_state.h"
#include "perform/play_fixture.h"

namespace {

// Channels of the default C6 upper neck's strings and its open notes.
constexpr int kC6Channel[8] = {0, 0, 2, 4, 0, 0, 2, 4};
constexpr int kC6Open[8] = {67, 64, 60, 57, 55, 52, 48, 45};

struct Note {
  int string;
  int note;
  int velocity;
};

// A string sounding at the fret centre: its bend (no bend) and the note on both channels.
std::vector<std::string> Sounding(const std::vector<Note>& notes, int bend = 8192) {
  std::vector<std::string> out;
  char line[32];
  for (const Note& n : notes) {
    const int c = kC6Channel[n.string];
    for (int ch = c; ch <= c + 1; ++ch) {
      std::snprintf(line, sizeof line, "e%x %02x %02x", ch, bend % 128, bend / 128);
      out.push_back(line);
    }
    for (int ch = c; ch <= c + 1; ++ch) {
      std::snprintf(line, sizeof line, "9%x %02x %02x", ch, n.note, n.velocity);
      out.push_back(line);
    }
  }
  return out;
}

class KeyboardTest : public PlayTest {
 protected:
  // Loads the upper neck's voices with one key press, so that later presses send notes only.
  void LoadUpperNeck() {
    HoverCell(0, 0, 0);
    Press(1);
    Release(1);
    Sent();
  }
};

TEST_F(KeyboardTest, EachShapeSoundsItsStringsNotesAndVelocities) {
  struct Case {
    const char* name;
    int vk;
    int string;
    std::vector<Note> notes;  // at fret 2
  };
  const int f = 2;
  auto n = [&](int s, int change = 0) { return kC6Open[s] + f + change; };
  const Case cases[] = {
      {"solo", '1', 1, {{1, n(1), 127}}},
      {"solo on the keypad", 97, 1, {{1, n(1), 127}}},
      {"two notes", '2', 1, {{1, n(1), 120}, {2, n(2), 77}}},
      {"three notes", '3', 1, {{1, n(1), 120}, {2, n(2), 77}, {3, n(3), 77}}},
      {"closed four", '4', 1, {{1, n(1), 120}, {2, n(2), 77}, {3, n(3), 77}, {4, n(4), 77}}},
      {"spread four skips s+1", '5', 1,
       {{1, n(1), 120}, {3, n(3), 77}, {4, n(4), 77}, {5, n(5), 77}}},
      {"upper note flattened", '7', 1, {{1, n(1), 120}, {2, n(2, -1), 77}}},
      {"two notes again", '8', 1, {{1, n(1), 120}, {2, n(2), 77}}},
      {"upper note sharpened", '9', 1, {{1, n(1), 120}, {2, n(2, +1), 77}}},
      {"keypad 9", 105, 1, {{1, n(1), 120}, {2, n(2, +1), 77}}},
      {"two notes on string 7 is string 7 alone at full", '2', 7, {{7, n(7), 127}}},
      {"spread four on string 4", '5', 4, {{4, n(4), 120}, {6, n(6), 77}, {7, n(7), 77}}},
      {"spread four on string 3", '5', 3,
       {{3, n(3), 120}, {5, n(5), 77}, {6, n(6), 77}, {7, n(7), 77}}},
      {"stroke on string 7 is one full note", '0', 7, {{7, n(7), 127}}},
      {"digit 6 plays nothing", '6', 1, {}},
      {"keypad 6 plays nothing", 102, 1, {}},
  };
  LoadUpperNeck();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HoverCell(0, c.string, f);
    Sent();
    sys().KeyDown(c.vk);
    EXPECT_EQ(Sent(), Sounding(c.notes));
    EXPECT_EQ(g_TimerId[kStrokeTimerSlot].load(), 0u) << "nothing left to strike later";
    sys().KeyUp(c.vk);
    // Releasing the key silences exactly what sounded, string 0 first.
    const std::vector<std::string> offs = Sent();
    EXPECT_EQ(offs.size(), 2 * c.notes.size());
  }
}

TEST_F(KeyboardTest, StrokeFromString2StrikesSevenToThreeAt77ThenTwoAt120) {
  LoadUpperNeck();
  HoverCell(0, 2, 0);
  Sent();
  Mark();
  Press(0);
  sys().Wait(200);
  std::vector<std::string> notes;
  for (const std::string& line : Timed()) {
    if (line.find(" 90 ") != std::string::npos || line.find(" 92 ") != std::string::npos ||
        line.find(" 94 ") != std::string::npos) {
      notes.push_back(line);
    }
  }
  // Voice 0 of each string, 20 ms apart: 7, 6, 5, 4, 3 at 77 and 2 at 120.
  const std::vector<std::string> want = {"0 94 2d 4d",  "20 92 30 4d", "40 90 34 4d",
                                         "60 90 37 4d", "80 94 39 4d", "100 92 3c 78"};
  EXPECT_EQ(notes, want);
  EXPECT_EQ(g_TimerId[kStrokeTimerSlot].load(), 0u) << "the stroke timer stops after string 2";
  EXPECT_EQ(g_StrokeString, -1);
}

TEST_F(KeyboardTest, ThreeNotesWhileSoloHeldTheReleasesAndPressesThatChangeNothing) {
  LoadUpperNeck();
  HoverCell(0, 1, 0);
  Press(1);
  EXPECT_EQ(Sent(), Sounding({{1, 64, 127}}));
  Press(1);  // the held key's repeat
  EXPECT_TRUE(Sent().empty());
  Press(3);
  std::vector<std::string> want = {"80 40 7f", "81 40 7f"};  // the solo note stops first
  for (const std::string& s : Sounding({{1, 64, 120}, {2, 60, 77}, {3, 57, 77}})) want.push_back(s);
  EXPECT_EQ(Sent(), want);
  Release(1);
  EXPECT_TRUE(Sent().empty()) << "key 3 still holds its notes";
  Release(3);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"80 40 7f", "81 40 7f", "82 3c 7f", "83 3c 7f",
                                              "84 39 7f", "85 39 7f"}));
  Hover({600, 60});  // off the necks
  Press(1);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(g_bKeyHeld, 0);
}

TEST_F(KeyboardTest, FirstKeyOnTheOtherNeckResendsItsVoicesButTheSameNeckDoesNot) {
  HoverCell(0, 0, 0);
  Press(1);
  std::vector<std::string> first = Sent();
  // Seven pairs of 34 set-up messages, then the note.
  ASSERT_EQ(first.size(), 7u * 34 + 4);
  EXPECT_EQ(first[0], "b0 00 00");
  EXPECT_EQ(first[2], "c0 1a 00") << "upper neck voice 0 is program 26";
  Release(1);
  Sent();
  Press(1);
  EXPECT_EQ(Sent().size(), 4u) << "same neck: no set-up";
  Release(1);
  HoverCell(1, 0, 0);
  Sent();
  Press(1);
  std::vector<std::string> lower = Sent();
  ASSERT_EQ(lower.size(), 7u * 34 + 4);
  EXPECT_EQ(lower[2], "c0 19 00") << "lower neck voice 0 is program 25";
  EXPECT_EQ(lower[lower.size() - 2].substr(0, 2), "90");
}

}  // namespace
