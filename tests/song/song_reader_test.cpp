// The line reader and the command splitter, seen through what the parser gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "song/song_number.h"
#include "song/song_reader.h"
#include "song/song_test_util.h"

namespace {

class SongReaderTest : public SongFileTest {};

// Every significant line of text as (line number, cleaned, written).
struct Line {
  int no;
  std::string clean;
  std::string written;
  bool operator==(const Line&) const = default;
};

void PrintTo(const Line& l, std::ostream* os) { *os << l.no << " [" << l.clean << "] [" << l.written << "]"; }

std::vector<Line> ReadAll(const std::string& text) {
  SongReader r;
  std::vector<Line> lines;
  for (const char* raw = r.NextSongLine(text.c_str()); raw; raw = r.NextSongLine(nullptr)) {
    // The raw line starts like the written one.
    EXPECT_EQ(std::string(raw).substr(0, 80), r.m_Written.substr(0, 80));
    lines.push_back({r.m_LineNo, r.m_Clean, r.m_Written});
  }
  return lines;
}

TEST_F(SongReaderTest, LinesAreCleanedAndCounted) {
  struct Case {
    std::string text;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      {"01 = 120   / tempo\n", {{1, "01=120", "01 = 120   / tempo"}}},
      {"a\n\n\nb", {{1, "a", "a"}, {2, "b", "b"}}},            // blank lines do not count
      {"a\r\n\r\n\r\nb\r\n", {{1, "a", "a"}, {4, "b", "b"}}},  // ... unless they hold a CR
      {"/ comment\n  \t\n...\nt=1\n", {{4, "t=1", "t=1"}}},   // lines that clean to nothing count
      {"t=+24.\n", {{1, "t=24", "t=+24."}}},
      {"#:,-=()*09azAZ!\"$%&'+;<>?@[\\]^_`{|}~\x80\xff\n", {{1, "#:,-=()*09azAZ", ""}}},
      {"a\rb\r\r\n", {{1, "ab", "a\rb\r"}}},  // only the last CR goes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Line> expected = c.lines;
    // The written text is the line itself unless the case says otherwise.
    for (Line& l : expected) {
      if (l.written.empty()) l.written = c.text.substr(0, c.text.size() - 1);
    }
    EXPECT_EQ(ReadAll(c.text), expected);
  }
}

TEST_F(SongReaderTest, LongLinesAreCutForReadingAndForShowing) {
  const std::string line = "t=1" + std::string(997, '0') + "/x=1";  // the comment lies beyond 1000
  const std::vector<Line> lines = ReadAll(line + "\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].clean, "t=1" + std::string(997, '0') + "");
  EXPECT_EQ(lines[0].written, line.substr(0, 80) + "..........");
  EXPECT_EQ(ReadAll(std::string(80, 'a'))[0].written, std::string(80, 'a'));
  EXPECT_EQ(ReadAll(std::string(81, 'a'))[0].written, std::string(80, 'a') + "..........");
}

TEST_F(SongReaderTest, SplitterTakesEightValuesPerCommand) {
  struct Case {
    const char* clean;
    std::vector<std::vector<std::string>> commands;  // key, then the non-empty values
    const char* rest;
  };
  const Case cases[] = {
      {"b=1,5,k=1,t=24,k=off,t=24", {{"b=", "1", "5"}, {"k=", "1"}, {"t=", "24"}, {"k=", "off"}, {"t=", "24"}}, ""},
      {"t=24b=1,5", {{"t="}, {"24b=", "1", "5"}}, ""},
      {"16=a,b,c,d,e,f,g,h,i,j", {{"16=", "a", "b", "c", "d", "e", "f", "g", "h"}}, "i,j"},
      {"x=,,3", {{"x=", "", "", "3"}}, ""},
      {"t=24,", {{"t=", "24"}}, ""},
      {"(Intro)", {}, "(Intro)"},
      {"=5", {{"=", "5"}}, ""},
      {"a==b", {{"a="}, {"=", "b"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clean);
    SongReader r;
    ASSERT_NE(r.NextSongLine(c.clean), nullptr);
    ASSERT_EQ(r.m_Clean, c.clean);
    std::vector<std::vector<std::string>> got;
    for (int first = 1;; first = 0) {
      const std::string key = r.NextSongCommand(first);
      if (key.empty()) break;
      std::vector<std::string> command = {key};
      int last = -1;
      for (int i = 0; i < 8; ++i) {
        if (!r.m_Value[i].empty()) last = i;
      }
      for (int i = 0; i <= last; ++i) command.push_back(r.m_Value[i]);
      got.push_back(command);
    }
    EXPECT_EQ(got, c.commands);
    EXPECT_EQ(r.m_Rest, c.rest);
  }
}

TEST_F(SongReaderTest, LabelsAreTakenFromTheFirstParenthesesOnAnyLine) {
  struct Case {
    const char* text;
    const char* label;
  };
  const Case cases[] = {
      {"(A)\n", "(A)"},       {"x(Verse 2)y\n", "(Verse2)"}, {")(B)\n", ""},
      {"(C\n", ""},           {"C)\n", ""},                  {"(D)(E)\n", "(D)"},
      {"/ (F)\n", ""},        {"(G)\n(H)\n", "(H)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SongReader r;
    for (const char* raw = r.NextSongLine(c.text); raw; raw = r.NextSongLine(nullptr)) {
    }
    EXPECT_EQ(r.m_Label, c.label);
  }
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(SongReaderTest, NumbersReadLikeDecimalInputWithoutOverflow) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"120", true, 120},          {"-7", true, -7},     {"+5", true, 5},       {"  42", true, 42},
      {"24(A)", true, 24},         {"007", true, 7},     {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},                  {"2147483648", false, 0},
      {"99999999999999999999", false, 0},                {"", false, 0},        {"-", false, 0},
      {"x1", false, 0},            {"+-1", false, 0},    {"off", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t value = 12345;
    EXPECT_EQ(ReadSongNumber(c.text, &value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

}  // namespace
