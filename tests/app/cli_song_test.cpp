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

TEST_F(CliSongTest, CheckPrintsMessagesAsCompilersDo) {
  const std::string bad = Song("bad.txt", SongHeaderText() + "t=24\n(Verse 1)\nb=9,0\n");
  const CliRun run = Cli("check " + bad);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, bad + ":25: error: Data \"9\" Error in Line 25\n    Followed by  (Verse1)\n"
                           "    You wrote \"b=9,0\"\n");
}

TEST_F(CliSongTest, CheckOfAFineSongGivesItsLengthAndWarnings) {
  const std::string song = Song("fine.txt", SongHeaderText() + "(A)\nb=1,5,k=1,t=88\n(B)\nt=96,t=8\n");
  const CliRun run = Cli("check " + song);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, song + ":25: warning: (A)\n    There are a time fraction of 1 bar.\n    Total time = 88 \n" +
                         song + ": the song is fine: 2 bars and 0 units, 4.000 seconds, 3 events\n");
}

TEST_F(CliSongTest, CheckJsonGivesEveryBoxAndBothResults) {
  struct Case {
    std::string name;
    std::string text;
    int status;
    std::string out;
  };
  const std::string longSong = SongHeaderText() + [] {
    std::string s;
    for (int i = 0; i < 201; ++i) s += "t=96\n";
    return s;
  }();
  const Case cases[] = {
      {"ok.txt", SongHeaderText() + "t=1\n", 0, "{\"load\": 0, \"compile\": 0}\n"},
      {"song.mid", "", 1,
       "{\"caption\": \"Slidora : Quenlo\", \"text\": \"File could not be open.\\n\\\"" + dir_.File("song.mid") +
           "\\\"  \", \"type\": 16}\n{\"load\": 1, \"compile\": null}\n"},
      {"tab.txt", SongHeaderText({{1, "01=x\t\xe2\x82\xac\xff"}}), 1,
       "{\"caption\": \"" + dir_.File("tab.txt") +
           "\", \"text\": \"Data Error in Line 1\\nYou wrote \\\"01=x\\t\xe2\x82\xac\\u00ff\\\"\\nData range is 30 .. 180\", "
           "\"type\": 16}\n{\"load\": 1, \"compile\": null}\n"},
      {"long.txt", longSong, 1,
       "{\"caption\": \"" + dir_.File("long.txt") +
           "\", \"text\": \"Exceeds 200 Bar\", \"type\": 16}\n{\"load\": 0, \"compile\": 1}\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = Cli("check --json " + Song(c.name, c.text));
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
  }
}

TEST_F(CliSongTest, EventsPrintsTheTableOrTheMessagesOnStandardError) {
  const std::string song = Song("a.txt", SongHeaderText() + "t=24,b=1,5,k=1,t=24,k=off,t=24\n");
  CliRun run = Cli("events " + song);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "500 1 5\n500 3 1\n1000 3 -1\n1500 255 0\n");
  EXPECT_EQ(run.err, "");

  const std::string bad = Song("b.txt", SongHeaderText() + "t=24\nk=1\n");
  run = Cli("events " + bad);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, bad + ":24: error: Command \"k=\" is not abalable ( before \"b=**\" ) in Line 24\n"
                           "    Followed by  \n    You wrote \"k=1\"\n");
}

}  // namespace
