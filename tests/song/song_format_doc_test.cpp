// The song format reference (docs/song-format.md) against the program: every
// message the reader, the header, the score and the compiler can show is
// quoted there, no quoted message is one the program cannot show, and every
// example song, score and error example checks as the reference says.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "song/song_compiler.h"
#include "song/song_message_formats.h"
#include "song/song_test_util.h"

namespace {

const char* const kReferencePath = SLIDORA_SOURCE_DIR "/docs/song-format.md";

// A fenced block of the reference: its info string ("message", "song", ...)
// and its lines as written, tabs and trailing blanks included.
struct Block {
  std::string info;
  std::string text;
  int line;  // line of the opening fence
};

std::vector<Block> ReadBlocks() {
  std::ifstream in(kReferencePath, std::ios::binary);
  std::vector<Block> blocks;
  std::string line;
  Block* open = nullptr;
  bool first = true;
  for (int n = 1; std::getline(in, line); ++n) {
    if (line.rfind("```", 0) == 0) {
      if (open) {
        open = nullptr;
      } else {
        blocks.push_back({line.substr(3), "", n});
        open = &blocks.back();
        first = true;
      }
      continue;
    }
    if (!open) continue;
    if (!first) open->text += '\n';
    open->text += line;
    first = false;
  }
  return blocks;
}

std::vector<Block> BlocksOf(const std::vector<Block>& all, const std::string& info) {
  std::vector<Block> some;
  for (const Block& b : all) {
    if (b.info == info || b.info.rfind(info + " ", 0) == 0) some.push_back(b);
  }
  return some;
}

// The format as a pattern of the quoted message: its text exactly, each %d
// or %s standing for a named placeholder such as <line> or <you wrote>.
std::regex QuotedPattern(const char* format) {
  std::string pattern;
  for (const char* c = format; *c; ++c) {
    if (c[0] == '%' && (c[1] == 'd' || c[1] == 's')) {
      pattern += "<[a-z0-9 ]+>";
      ++c;
    } else if (std::string("\\^$.|?*+()[]{}").find(*c) != std::string::npos) {
      pattern += '\\';
      pattern += *c;
    } else {
      pattern += *c;
    }
  }
  return std::regex(pattern);
}

std::string Visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  return out;
}

TEST(SongFormatReferenceTest, QuotesEveryMessageThatSongsCanShowAndNoOther) {
  const std::vector<Block> quoted = BlocksOf(ReadBlocks(), "message");
  ASSERT_FALSE(quoted.empty()) << "no ```message blocks in " << kReferencePath;
  std::vector<bool> matched(quoted.size(), false);
  for (const SongMessageFormat& f : kSongMessageFormats) {
    const std::regex pattern = QuotedPattern(f.format);
    bool found = false;
    for (size_t i = 0; i < quoted.size(); ++i) {
      if (std::regex_match(quoted[i].text, pattern)) {
        found = matched[i] = true;
      }
    }
    EXPECT_TRUE(found) << "message " << static_cast<int>(f.id) << " is not quoted in the reference: \""
                       << Visible(f.format) << "\"";
  }
  for (size_t i = 0; i < quoted.size(); ++i) {
    EXPECT_TRUE(matched[i]) << "the block at line " << quoted[i].line
                            << " quotes no message the program shows: \"" << Visible(quoted[i].text) << "\"";
  }
}

class SongFormatExamplesTest : public SongFileTest {
 protected:
  // Loads and compiles text; the texts of the boxes shown, one after another.
  std::string Check(const std::string& text) {
    boxes_.Clear();
    if (Load(text) == 0) CompileSong();
    std::string shown;
    for (const std::string& t : boxes_.Texts()) shown += (shown.empty() ? "" : "\n\n") + t;
    return shown;
  }

  const std::vector<Block> blocks_ = ReadBlocks();
};

TEST_F(SongFormatExamplesTest, ExampleSongsAndScoresCheckWithoutMessages) {
  const std::vector<Block> songs = BlocksOf(blocks_, "song");
  ASSERT_FALSE(songs.empty());
  for (const Block& b : songs) {
    SCOPED_TRACE("song at line " + std::to_string(b.line));
    EXPECT_EQ(Check(b.text + "\n"), "");
    EXPECT_EQ(boxes_.boxes.size(), 0u);
  }
  const std::vector<Block> headers = BlocksOf(blocks_, "header");
  ASSERT_EQ(headers.size(), 1u) << "the reference has one header for its score examples";
  const std::string header = headers[0].text + "\n";
  for (const Block& b : BlocksOf(blocks_, "score")) {
    SCOPED_TRACE("score at line " + std::to_string(b.line));
    EXPECT_EQ(Check(header + b.text + "\n"), "");
  }
}

// An error example is a score (after the reference's header) or one header
// line put in place of line N ("header-error N"), followed by a "shown" block
// with the texts of the boxes it brings up.
TEST_F(SongFormatExamplesTest, ErrorExamplesShowTheQuotedMessages) {
  const std::vector<Block> headers = BlocksOf(blocks_, "header");
  ASSERT_EQ(headers.size(), 1u);
  std::vector<std::string> headerLines;
  std::istringstream lines(headers[0].text);
  for (std::string l; std::getline(lines, l);) headerLines.push_back(l);
  ASSERT_EQ(headerLines.size(), 22u);

  int examples = 0;
  for (size_t i = 0; i < blocks_.size(); ++i) {
    const Block& b = blocks_[i];
    const bool score = b.info == "score-error";
    const bool headerLine = b.info.rfind("header-error ", 0) == 0;
    if (!score && !headerLine) continue;
    SCOPED_TRACE("example at line " + std::to_string(b.line));
    ASSERT_LT(i + 1, blocks_.size());
    ASSERT_EQ(blocks_[i + 1].info, "shown");
    std::string text;
    if (score) {
      text = headers[0].text + "\n" + b.text + "\n";
    } else {
      const int replaced = std::stoi(b.info.substr(13));
      ASSERT_GE(replaced, 1);
      ASSERT_LE(replaced, 22);
      for (int n = 1; n <= 22; ++n) text += (n == replaced ? b.text : headerLines[n - 1]) + "\n";
      text += "b=1,0,k=1,t=24,k=off\n";
    }
    EXPECT_EQ(Check(text), blocks_[i + 1].text);
    ++examples;
  }
  EXPECT_GT(examples, 0);
}

}  // namespace
