// slidora-cli check and events, run as the built program on song files.
#include <gtest/gtest.h>

#include <string>

#include "song/song_test_util.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

class CliSongTest : public ::testing::Test {
 protected:
  CliRun Cli(const std::string& args) {
    const std::string command = std::string(SLIDORA_BINARY_DIR) + "/slidora-cli " + args + " 2>" +
                                dir_.File("stderr");
    const CommandResult result = RunCommand(command);
    return CliRun{result.status, result.out, dir_.Read("stderr")};
  }
  std::string Song(const std::string& name, const std::string& text) {
    dir_.Write(name, text);
    return dir_.File(name);
  }

  TempDir dir_;
};

// Every "@" of text replaced by path.
std::string WithPath(std::string text, const std::string& path) {
  for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + path.size()))
    text.replace(at, 1, path);
  return text;
}

// check and events print messages as compilers do, or as JSON; events prints
// the table, or its messages on standard error.
TEST_F(CliSongTest, CheckAndEventsPrintTheirOutputOrTheMessages) {
  struct Case {
    std::string args;  // the song's name last
    std::string text;
    int status;
    std::string out;       // "@" is the song's path
    std::string err = "";  // the same
  };
  std::string longScore;
  for (int i = 0; i < 201; ++i) longScore += "t=96\n";
  const Case cases[] = {
      {"check bad.txt", SongHeaderText() + "t=24\n(Verse 1)\nb=9,0\n", 1,
       "@:25: error: Data \"9\" Error in Line 25\n    Followed by  (Verse1)\n    You wrote \"b=9,0\"\n"},
      {"check fine.txt", SongHeaderText() + "(A)\nb=1,5,k=1,t=88\n(B)\nt=96,t=8\n", 0,
       "@:25: warning: (A)\n    There are a time fraction of 1 bar.\n    Total time = 88 \n"
       "@: the song is fine: 2 bars and 0 units, 4.000 seconds, 3 events\n"},
      {"check --json ok.txt", SongHeaderText() + "t=1\n", 0, "{\"load\": 0, \"compile\": 0}\n"},
      {"check --json song.mid", "", 1,
       "{\"caption\": \"Slidora : Quenlo\", \"text\": \"File could not be open.\\n\\\"@\\\"  \", \"type\": 16}\n"
       "{\"load\": 1, \"compile\": null}\n"},
      {"check --json tab.txt", SongHeaderText({{1, "01=x\t\xe2\x82\xac\xff"}}), 1,
       "{\"caption\": \"@\", \"text\": \"Data Error in Line 1\\nYou wrote \\\"01=x\\t\xe2\x82\xac\\u00ff\\\"\\n"
       "Data range is 30 .. 180\", \"type\": 16}\n{\"load\": 1, \"compile\": null}\n"},
      {"check --json long.txt", SongHeaderText() + longScore, 1,
       "{\"caption\": \"@\", \"text\": \"Exceeds 200 Bar\", \"type\": 16}\n{\"load\": 0, \"compile\": 1}\n"},
      {"events a.txt", SongHeaderText() + "t=24,b=1,5,k=1,t=24,k=off,t=24\n", 0,
       "500 1 5\n500 3 1\n1000 3 -1\n1500 255 0\n"},
      {"events b.txt", SongHeaderText() + "t=24\nk=1\n", 1, "",
       "@:24: error: Command \"k=\" is not abalable ( before \"b=**\" ) in Line 24\n"
       "    Followed by  \n    You wrote \"k=1\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const size_t name = c.args.rfind(' ') + 1;
    const std::string path = Song(c.args.substr(name), c.text);
    const CliRun run = Cli(c.args.substr(0, name) + path);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, WithPath(c.out, path));
    EXPECT_EQ(run.err, WithPath(c.err, path));
  }
}

}  // namespace
