// The 22 header lines: what each accepts and stores, and the exact messages a
// song author sees for a wrong key or a wrong value.
#include <gtest/gtest.h>

#include "song/song_test_util.h"

namespace {

struct HeaderCase {
  int line;
  const char* missing;  // message for a wrong key
  const char* bad;      // a wrong value written on the line
  const char* data;     // message for it
};

constexpr const char* kRange127 = "Data Error in Line %d\nYou wrote \"%s\"\nData range is 0 .. 127";
constexpr const char* kSyntax = "Syntax Error in Line %d\nYou wrote \"%s\"";

const HeaderCase kCases[] = {
    {1, "Syntax Error in Line %d\nMissing     \"01=***\" / Tempo\t\t        ( 30 .. 180)\nYou wrote \"%s\"",
     "29", "Data Error in Line %d\nYou wrote \"%s\"\nData range is 30 .. 180"},
    {2, "Syntax Error in Line %d\nMissing     \"02=***\" / Delay Time Of MIDI Realtime Messege 0xFA\nYou wrote \"%s\"",
     "-501", "Data Error in Line %d\nYou wrote \"%s\"\nData range is -500 .. 500"},
    {3, "Syntax Error in Line %d\nMissing     \"03=***\" / Voice 1 No.           ( 0 .. 127)\nYou wrote \"%s\"",
     "128", kRange127},
    {4, "Syntax Error in Line %d\nMissing     \"04=***\" / Voice 1 Bank MSB      ( 0 .. 127)\nYou wrote \"%s\"",
     "-1", kRange127},
    {5, "Syntax Error in Line %d\nMissing     \"05=***\" / Voice 1 Bank LSB      ( 0 .. 127)\nYou wrote \"%s\"",
     "x", kRange127},
    {6, "Syntax Error in Line %d\nMissing     \"06=***\" / Voice 1 Volume        ( 0 .. 127)\nYou wrote \"%s\"",
     "200", kRange127},
    {7, "Syntax Error in Line %d\nMissing     \"07=***\" / Voice 2 No.           ( 0 .. 127)\nYou wrote \"%s\"",
     "", kRange127},
    {8, "Syntax Error in Line %d\nMissing     \"08=***\" / Voice 2 Bank MSB      ( 0 .. 127)\nYou wrote \"%s\"",
     "99999999999", kRange127},
    {9, "Syntax Error in Line %d\nMissing     \"09=***\" / Voice 2 Bank LSB      ( 0 .. 127)\nYou wrote \"%s\"",
     "-", kRange127},
    {10, "Syntax Error in Line %d\nMissing     \"10=***\" / Voice 2 Volume        ( 0 .. 127)\nYou wrote \"%s\"",
     "128", kRange127},
    {11, "Syntax Error in Line %d\nMissing     \"11=***\" / Guide         ( off .. -7 .. 0 .. 7)\nYou wrote \"%s\"",
     "OFF", "Data Error in Line %d\nYou wrote \"%s\"\nData range is off .. -7 .. 0 .. 7"},
    {12, "Syntax Error in Line %d\nMissing     \"12=***\" / MIDI Shif             (-7 .. 0 .. 7)\nYou wrote \"%s\"",
     "13", "Data Error in Line %d\nYou wrote \"%s\"\nData range is -12 .. 0 .. 12"},
    {13, "Syntax Error in Line %d\nMissing     \"13=***\" / Reverv        ( 0 .. 127)\nYou wrote \"%s\"",
     "128", kRange127},
    {14, "Syntax Error in Line %d\nMissing     \"14=***\" / Chorus        ( 0 .. 127)\nYou wrote \"%s\"",
     "-1", kRange127},
    {15, "Syntax Error in Line %d\nMissing     \"15=***\" / Tuning Name \nYou wrote \"%s\"",
     "c6", "Data Error in Line %d\nYou wrote \"%s\""},
    {16, "Syntax Error in Line %d\nMissing     \"16=***\" / Note Name Of 1'st String .. 8'th String \nYou wrote \"%s\"",
     "G,E,C,A,G,E,C", kSyntax},
    {17, "Syntax Error in Line %d\nMissing     \"17=***\" / Effect of Pedal-1     ( b .. 0 .. #) \nYou wrote \"%s\"",
     "0,0,0,#,0,0,0,x", kSyntax},
    {18, "Syntax Error in Line %d\nMissing     \"18=***\" / Effect of Pedal-2     ( b .. 0 .. #) \nYou wrote \"%s\"",
     "0,b,0,0,0,b,0,0,0", kSyntax},
    {19, "Syntax Error in Line %d\nMissing     \"19=***\" /  Velocity(V1) \nYou wrote \"%s\"",
     "128", kRange127},
    {20, "Syntax Error in Line %d\nMissing     \"20=***\" /  Velocity(V2) \nYou wrote \"%s\"",
     "128", kRange127},
    {21, "Syntax Error in Line %d\nMissing     \"21=***\" /  Velocity(V3) \nYou wrote \"%s\"",
     "128", kRange127},
    {22, "Syntax Error in Line %d\nMissing     \"22=***\" /  Velocity(V4) \nYou wrote \"%s\"",
     "128", kRange127},
};

std::string Fill(const char* format, int line, const std::string& written) {
  char text[1024];
  std::snprintf(text, sizeof text, format, line, written.c_str());
  return text;
}

std::string Key(int line) {
  char key[4];
  std::snprintf(key, sizeof key, "%02d=", line);
  return key;
}

class SongHeaderTest : public SongFileTest {};

TEST_F(SongHeaderTest, WrongKeyOnEachLineShowsItsMissingMessage) {
  for (const HeaderCase& c : kCases) {
    SCOPED_TRACE(c.line);
    boxes_.Clear();
    const std::string written = "x" + Key(c.line) + "5";
    EXPECT_EQ(Load(SongHeaderText({{c.line, written}}) + "t=1\n"), 1);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0], (RecordedBox{Fill(c.missing, c.line, written), Path(), MB_ICONHAND}));
  }
}

TEST_F(SongHeaderTest, WrongValueOnEachLineShowsItsDataMessage) {
  for (const HeaderCase& c : kCases) {
    SCOPED_TRACE(c.line);
    boxes_.Clear();
    const std::string written = Key(c.line) + c.bad;
    EXPECT_EQ(Load(SongHeaderText({{c.line, written}}) + "t=1\n"), 1);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0], (RecordedBox{Fill(c.data, c.line, written), Path(), MB_ICONHAND}));
  }
}

TEST_F(SongHeaderTest, ValidHeaderStoresEveryField) {
  ASSERT_EQ(Load(SongHeaderText({{1, "01 = 120   / tempo"}, {2, "02=-500"}, {6, "06=126"}, {10, "10=12"},
                                 {11, "11=off"}, {12, "12=12"}, {15, "15=Eleventhchr"},
                                 {16, "16=E,B,G#,E,B,G#,F#,D"}, {22, "22=127"}}) +
                 "t=1\n"),
            0);
  EXPECT_TRUE(boxes_.boxes.empty());
  const SongHeader& h = g_SongHeader;
  EXPECT_EQ(h.Tempo, 120);
  EXPECT_EQ(h.MidiStartDelay, -500);
  EXPECT_EQ(h.Voice0No, 25);
  EXPECT_EQ(h.Volume0, 9);  // 126 * 10 / 127
  EXPECT_EQ(h.Voice1No, 26);
  EXPECT_EQ(h.Volume1, 0);  // 12 * 10 / 127
  EXPECT_EQ(h.GuideShift, -8);
  EXPECT_EQ(h.MidiShift, 12);
  EXPECT_EQ(h.Reverb, 40);
  EXPECT_EQ(h.Chorus, 20);
  EXPECT_EQ(h.TuningName, "Eleve");
  const char* names[8] = {"E", "B", "G#", "E", "B", "G#", "F#", "D"};
  const int pedal1[8] = {0, 0, 0, 1, 0, 0, 0, 1};
  const int pedal2[8] = {0, -1, 0, 0, 0, -1, 0, 0};
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(h.NoteName[s], names[s]);
    EXPECT_EQ(h.Pedal1[s], pedal1[s]);
    EXPECT_EQ(h.Pedal2[s], pedal2[s]);
  }
  EXPECT_EQ(h.Velocity[0], 100);
  EXPECT_EQ(h.Velocity[3], 127);
}

TEST_F(SongHeaderTest, NumbersAreReadFromTheirLeadingDigits) {
  struct Case {
    const char* line;
    int result;
    int tempo;
  };
  const Case cases[] = {
      {"01=120,5", 0, 120},  {"01=+120", 0, 120},  {"01=120abc", 0, 120},
      {"01=0120", 0, 120},   {"01=180", 0, 180},   {"01=30", 0, 30},
      {"01=181", 1, 0},      {"01=x120", 1, 0},    {"01=4294967416", 1, 0},  // 2^32 + 120
      {"01=-2147483648", 1, 0}, {"01=--120", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ResetAllState();
    EXPECT_EQ(Load(SongHeaderText({{1, c.line}}) + "t=1\n"), c.result);
    if (c.result == 0) {
      EXPECT_EQ(g_SongHeader.Tempo, c.tempo);
    }
  }
}

TEST_F(SongHeaderTest, GuideAndShiftRanges) {
  struct Case {
    int line;
    const char* text;
    int result;
  };
  const Case cases[] = {
      {11, "11=-7", 0}, {11, "11=7", 0}, {11, "11=-8", 1}, {11, "11=8", 1}, {11, "11=Off", 1},
      {11, "11=off(A)", 1}, {12, "12=-12", 0}, {12, "12=12", 0}, {12, "12=-13", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Load(SongHeaderText({{c.line, c.text}}) + "t=1\n"), c.result);
  }
}

TEST_F(SongHeaderTest, NoteNameAndPedalLines) {
  struct Case {
    int line;
    const char* text;
    int result;
  };
  const Case cases[] = {
      {15, "15=G", 0},
      {15, "15=A", 0},
      {15, "15=H7", 1},
      {15, "15=", 1},
      {16, "16=E,B,G#,E,B,G#,F#,D", 0},
      {16, "16=E,B,G#,E,B,G#,F#", 1},        // seven names
      {16, "16=E,B,G#,E,B,G#,F#,D,A", 1},    // nine names
      {16, "16=E,B,G#,E,B,G#,F#,Dx", 1},
      {16, "16=E,B,G#,E,B,G#,F#,Dbb", 1},
      {16, "16=E,B,G#,E,B,G#,F#,D,t=5", 1},  // a further command
      {16, "16=e,B,G#,E,B,G#,F#,D", 1},
      {17, "17=b,b,0,0,0,0,0,0", 0},
      {17, "17=b,b,0,0,0,0,0", 1},
      {17, "17=b,b,0,0,0,0,0,0,0", 1},
      {17, "17=B,b,0,0,0,0,0,0", 1},
      {17, "17=1,0,0,0,0,0,0,0", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    boxes_.Clear();
    EXPECT_EQ(Load(SongHeaderText({{c.line, c.text}}) + "t=1\n"), c.result);
    if (c.result != 0 && c.line >= 16) {
      ASSERT_EQ(boxes_.Texts().size(), 1u);
      EXPECT_EQ(boxes_.Texts()[0], Fill(kSyntax, c.line, c.text));
    }
  }
}

TEST_F(SongHeaderTest, SevenStringsOnPedalsAreRefusedWithBothRowsQuoted) {
  EXPECT_EQ(Load(SongHeaderText({{17, "17=#,#,#,#,0,0,0,0"}, {18, "18=0,0,0,0,b,b,b,0"}}) + "t=1\n"), 1);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0],
            (RecordedBox{"Requires at least two strings not assigned to pedals.  in Line 18\nYou wrote \n"
                         "\"17=#,#,#,#,0,0,0,0\"\n\"18=0,0,0,0,b,b,b,0\"",
                         Path(), MB_ICONHAND}));
  boxes_.Clear();
  EXPECT_EQ(Load(SongHeaderText({{17, "17=#,#,#,#,0,0,0,0"}, {18, "18=0,0,0,0,b,b,0,0"}}) + "t=1\n"), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(SongHeaderTest, TextEndingEarlyIsMissingItsNextLine) {
  // Five lines read: line 06 is missing, shown with the last line the reader had.
  std::string five = SongHeaderText().substr(0, SongHeaderText().find("06="));
  EXPECT_EQ(Load(five + "// the end\n"), 1);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0],
            "Syntax Error in Line 6\nMissing     \"06=***\" / Voice 1 Volume        ( 0 .. 127)\n"
            "You wrote \"05=0\"");
  boxes_.Clear();
  EXPECT_EQ(Load(""), 1);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0],
            "Syntax Error in Line 0\nMissing     \"01=***\" / Tempo\t\t        ( 30 .. 180)\nYou wrote \"\"");
}

TEST_F(SongHeaderTest, LongLineIsShownAsEightyCharactersAndTenDots) {
  const std::string line = "01=x" + std::string(116, 'y');
  ASSERT_EQ(line.size(), 120u);
  EXPECT_EQ(Load(SongHeaderText({{1, line}})), 1);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0], "Data Error in Line 1\nYou wrote \"" + line.substr(0, 80) +
                                   "..........\"\nData range is 30 .. 180");
}

TEST_F(SongHeaderTest, BlankLinesCountOnlyInCarriageReturnFiles) {
  // A blank line and a comment line before line 03, whose key is wrong.
  const std::string lf = "01=120\n02=0\n\n// voices\n3=25\n";
  EXPECT_EQ(Load(lf), 1);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Load(crlf), 1);
  const char* missing = "Syntax Error in Line %d\nMissing     \"03=***\" / Voice 1 No.           ( 0 .. 127)\n"
                        "You wrote \"%s\"";
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{Fill(missing, 4, "3=25"), Fill(missing, 5, "3=25")}));
}

TEST_F(SongHeaderTest, KeyWithoutItsLeadingZeroIsMissing) {
  EXPECT_EQ(Load(SongHeaderText({{1, "1=120"}}) + "t=1\n"), 1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{
                                "Syntax Error in Line 1\nMissing     \"01=***\" / Tempo\t\t        ( 30 .. 180)\n"
                                "You wrote \"1=120\""}));
}

TEST_F(SongHeaderTest, StarLineInTheHeaderIsAnOrdinaryLine) {
  EXPECT_EQ(Load("*01=120\n"), 1);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0],
            "Syntax Error in Line 1\nMissing     \"01=***\" / Tempo\t\t        ( 30 .. 180)\n"
            "You wrote \"*01=120\"");
}

}  // namespace
