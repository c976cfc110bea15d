// The 22 header lines: what each accepts and stores, and the exact messages a
// song author sees for a wrong key or a wrong value.
#include <gtest/gtest.h>

#include "song/song_test_util.h"

namespace {

struct HeaderCase {
  int line;
  const char* what;   // the line's description in its Missing message
  const char* bad;    // a wrong value written on the line
  const char* range;  // the Data message's range; "" for none, nullptr for a Syntax message
};

constexpr const char* k127 = "0 .. 127";

const HeaderCase kCases[] = {
    {1, "Tempo\t\t        ( 30 .. 180)", "29", "30 .. 180"},
    {2, "Delay Time Of MIDI Realtime Messege 0xFA", "-501", "-500 .. 500"},
    {3, "Voice 1 No.           ( 0 .. 127)", "128", k127},
    {4, "Voice 1 Bank MSB      ( 0 .. 127)", "-1", k127},
    {5, "Voice 1 Bank LSB      ( 0 .. 127)", "x", k127},
    {6, "Voice 1 Volume        ( 0 .. 127)", "200", k127},
    {7, "Voice 2 No.           ( 0 .. 127)", "", k127},
    {8, "Voice 2 Bank MSB      ( 0 .. 127)", "99999999999", k127},
    {9, "Voice 2 Bank LSB      ( 0 .. 127)", "-", k127},
    {10, "Voice 2 Volume        ( 0 .. 127)", "128", k127},
    {11, "Guide         ( off .. -7 .. 0 .. 7)", "OFF", "off .. -7 .. 0 .. 7"},
    {12, "MIDI Shif             (-7 .. 0 .. 7)", "13", "-12 .. 0 .. 12"},
    {13, "Reverv        ( 0 .. 127)", "128", k127},
    {14, "Chorus        ( 0 .. 127)", "-1", k127},
    {15, "Tuning Name ", "c6", ""},
    {16, "Note Name Of 1'st String .. 8'th String ", "G,E,C,A,G,E,C", nullptr},
    {17, "Effect of Pedal-1     ( b .. 0 .. #) ", "0,0,0,#,0,0,0,x", nullptr},
    {18, "Effect of Pedal-2     ( b .. 0 .. #) ", "0,b,0,0,0,b,0,0,0", nullptr},
    {19, " Velocity(V1) ", "128", k127},
    {20, " Velocity(V2) ", "128", k127},
    {21, " Velocity(V3) ", "128", k127},
    {22, " Velocity(V4) ", "128", k127},
};

std::string Key(int line) {
  char key[4];
  std::snprintf(key, sizeof key, "%02d=", line);
  return key;
}

// The message for a wrong key on a line.
std::string Missing(int line, const std::string& written, int shownLine = -1) {
  return "Syntax Error in Line " + std::to_string(shownLine >= 0 ? shownLine : line) + "\nMissing     \"" + Key(line) +
         "***\" / " + kCases[line - 1].what + "\nYou wrote \"" + written + "\"";
}

class SongHeaderTest : public SongFileTest {
 protected:
  // Loads a header with one line replaced and expects it refused with text.
  void ExpectRefused(int line, const std::string& written, const std::string& text) {
    SCOPED_TRACE(written);
    boxes_.Clear();
    EXPECT_EQ(Load(SongHeaderText({{line, written}}) + "t=1\n"), 1);
    EXPECT_EQ(boxes_.boxes, (std::vector<RecordedBox>{{text, Path(), MB_ICONHAND}}));
  }
};

TEST_F(SongHeaderTest, WrongKeyOrValueOnEachLineShowsItsMessage) {
  for (const HeaderCase& c : kCases) {
    const std::string n = std::to_string(c.line);
    std::vector<std::string> wrongKeys = {"x" + Key(c.line) + "5"};
    // Without the leading zero, or as a star line (no skip mark in the header).
    if (c.line == 1) wrongKeys.insert(wrongKeys.end(), {"1=120", "*01=120"});
    for (const std::string& written : wrongKeys) ExpectRefused(c.line, written, Missing(c.line, written));
    const std::string written = Key(c.line) + c.bad;
    ExpectRefused(c.line, written,
                  !c.range ? "Syntax Error in Line " + n + "\nYou wrote \"" + written + "\""
                           : "Data Error in Line " + n + "\nYou wrote \"" + written + "\"" +
                                 (*c.range ? std::string("\nData range is ") + c.range : ""));
  }
  // A long line is shown as its first 80 characters and ten dots.
  const std::string line = "01=x" + std::string(116, 'y');
  ExpectRefused(1, line, "Data Error in Line 1\nYou wrote \"" + line.substr(0, 80) +
                             "..........\"\nData range is 30 .. 180");
}

TEST_F(SongHeaderTest, ValidHeaderStoresEveryField) {
  ASSERT_EQ(Load(SongHeaderText({{1, "01 = 120   / tempo"}, {2, "02=-500"}, {6, "06=126"}, {10, "10=12"},
                                 {11, "11=off"}, {12, "12=12"}, {15, "15=Eleventhchr"},
                                 {16, "16=E,B,G#,E,B,G#,F#,D"}, {22, "22=127"}}) +
                 "t=1\n"),
            0);
  EXPECT_TRUE(boxes_.boxes.empty());
  const SongHeader& h = g_SongHeader;
  EXPECT_EQ((std::vector<int>{h.Tempo, h.MidiStartDelay, h.Voice0No, h.Volume0, h.Voice1No, h.Volume1, h.GuideShift,
                              h.MidiShift, h.Reverb, h.Chorus, h.Velocity[0], h.Velocity[3]}),
            // Volumes 126 and 12 are 9 and 0 of 10; guide "off" is -8.
            (std::vector<int>{120, -500, 25, 9, 26, 0, -8, 12, 40, 20, 100, 127}));
  EXPECT_EQ(h.TuningName, "Eleve");
  EXPECT_EQ(std::vector<std::string>(h.NoteName, h.NoteName + 8),
            (std::vector<std::string>{"E", "B", "G#", "E", "B", "G#", "F#", "D"}));
  EXPECT_EQ(std::vector<int>(h.Pedal1, h.Pedal1 + 8), (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(std::vector<int>(h.Pedal2, h.Pedal2 + 8), (std::vector<int>{0, -1, 0, 0, 0, -1, 0, 0}));
}

TEST_F(SongHeaderTest, ValuesAcceptedAndRefusedOnTheirLines) {
  struct Case {
    const char* text;
    int result;
    int tempo = 0;  // stored, when given
  };
  const Case cases[] = {
      // Numbers are read from their leading digits.
      {"01=120,5", 0, 120}, {"01=+120", 0, 120}, {"01=120abc", 0, 120}, {"01=0120", 0, 120},
      {"01=180", 0, 180},   {"01=30", 0, 30},
      {"01=181", 1}, {"01=x120", 1}, {"01=4294967416", 1},  // 2^32 + 120
      {"01=-2147483648", 1}, {"01=--120", 1},
      {"11=-7", 0}, {"11=7", 0}, {"11=-8", 1}, {"11=8", 1}, {"11=Off", 1}, {"11=off(A)", 1},
      {"12=-12", 0}, {"12=12", 0}, {"12=-13", 1},
      {"15=G", 0}, {"15=A", 0}, {"15=H7", 1}, {"15=", 1},
      {"16=E,B,G#,E,B,G#,F#,D", 0},
      {"16=E,B,G#,E,B,G#,F#", 1},        // seven names
      {"16=E,B,G#,E,B,G#,F#,D,A", 1},    // nine names
      {"16=E,B,G#,E,B,G#,F#,Dx", 1},    {"16=E,B,G#,E,B,G#,F#,Dbb", 1},
      {"16=E,B,G#,E,B,G#,F#,D,t=5", 1},  // a further command
      {"16=e,B,G#,E,B,G#,F#,D", 1},
      {"17=b,b,0,0,0,0,0,0", 0}, {"17=b,b,0,0,0,0,0", 1}, {"17=b,b,0,0,0,0,0,0,0", 1},
      {"17=B,b,0,0,0,0,0,0", 1}, {"17=1,0,0,0,0,0,0,0", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const int line = std::stoi(c.text);
    ResetAllState();
    boxes_.Clear();
    EXPECT_EQ(Load(SongHeaderText({{line, c.text}}) + "t=1\n"), c.result);
    if (c.tempo != 0) {
      EXPECT_EQ(g_SongHeader.Tempo, c.tempo);
    }
    if (c.result != 0 && line >= 16) {
      EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Syntax Error in Line " + std::to_string(line) +
                                                         "\nYou wrote \"" + c.text + "\""});
    }
  }
}

TEST_F(SongHeaderTest, SevenStringsOnPedalsAreRefusedWithBothRowsQuoted) {
  EXPECT_EQ(Load(SongHeaderText({{17, "17=#,#,#,#,0,0,0,0"}, {18, "18=0,0,0,0,b,b,b,0"}}) + "t=1\n"), 1);
  EXPECT_EQ(boxes_.boxes,
            (std::vector<RecordedBox>{{"Requires at least two strings not assigned to pedals.  in Line 18\n"
                                       "You wrote \n\"17=#,#,#,#,0,0,0,0\"\n\"18=0,0,0,0,b,b,b,0\"",
                                       Path(), MB_ICONHAND}}));
  boxes_.Clear();
  EXPECT_EQ(Load(SongHeaderText({{17, "17=#,#,#,#,0,0,0,0"}, {18, "18=0,0,0,0,b,b,0,0"}}) + "t=1\n"), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(SongHeaderTest, TextEndingEarlyIsMissingItsNextLineAndBlankLinesCountOnlyWithCarriageReturns) {
  // Five lines read: line 06 is missing, shown with the last line the reader had;
  // with no line at all, line 0.
  EXPECT_EQ(Load(SongHeaderText().substr(0, SongHeaderText().find("06=")) + "// the end\n"), 1);
  EXPECT_EQ(Load(""), 1);
  // A blank line and a comment line before line 03, whose key is wrong.
  const std::string lf = "01=120\n02=0\n\n// voices\n3=25\n";
  EXPECT_EQ(Load(lf), 1);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Load(crlf), 1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{Missing(6, "05=0"), Missing(1, "", 0), Missing(3, "3=25", 4),
                                                       Missing(3, "3=25", 5)}));
}

}  // namespace
