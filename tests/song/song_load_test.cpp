// Finding and reading song files: paths, the extension test, the size limit
// and the example songs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "song/song_compiler.h"
#include "song/song_test_util.h"

namespace {

class SongLoadTest : public SongFileTest {};

// A valid song of exactly size bytes: header, one wait, then a comment.
std::string SongOfSize(size_t size) {
  std::string text = SongHeaderText() + "t=1\n//";
  text.resize(size, 'x');
  return text;
}

TEST_F(SongLoadTest, FileMustBeShorterThanFiftyThousandBytes) {
  EXPECT_EQ(Load(SongOfSize(49999)), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
  for (size_t size : {50000u, 50001u, 80000u}) {
    SCOPED_TRACE(size);
    boxes_.Clear();
    EXPECT_EQ(Load(SongOfSize(size)), 1);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0], (RecordedBox{"Too many characters. over 50000.", Path(), MB_ICONHAND}));
  }
}

TEST_F(SongLoadTest, OnlyReadableTxtFilesWithPathsOfAtMost260CharactersLoad) {
  std::filesystem::create_directory(Path("folder.txt"));
  // A named pipe would hold the reader until some program wrote to it.
  ASSERT_EQ(mkfifo(Path("pipe.txt").c_str(), 0600), 0);
  ASSERT_LT(Path("").size(), 200u);
  const std::string longest = std::string(260 - Path("").size() - 4, 'a') + ".txt";
  struct Case {
    std::string name;
    int result;
    const char* refusal = "";  // "open" for the extension, "opened" when unreadable
  };
  const Case cases[] = {
      {"a.txt", 0},           {"b.TXT", 0},         {"c.Txt", 0},           {"d.text", 1, "open"},
      {"e", 1, "open"},       {"txt", 1, "open"},   {"f.txt.bak", 1, "open"},
      {"missing.txt", 1, "opened"}, {"folder.txt", 1, "opened"}, {"pipe.txt", 1, "opened"},
      {longest, 0},
      {"b" + longest, 1, "opened"},  // one character too many: no part of it is tried as a file name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.Clear();
    // Every other name is a valid song.
    if (c.name != "missing.txt" && !std::filesystem::exists(Path(c.name))) dir_.Write(c.name, SongHeaderText() + "t=1\n");
    EXPECT_EQ(LoadSongFile(Path(c.name)), c.result);
    if (c.result == 0) {
      EXPECT_EQ(std::string(g_SongPath), Path(c.name));
      EXPECT_TRUE(boxes_.boxes.empty());
    } else {
      EXPECT_EQ(boxes_.boxes, (std::vector<RecordedBox>{{"File could not be " + std::string(c.refusal) + ".\n\"" +
                                                             Path(c.name) + "\"  ",
                                                         "Slidora : Quenlo", MB_ICONHAND}}));
    }
  }
}

// Runs in another working directory and comes back.
class InFolder {
 public:
  explicit InFolder(const std::string& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~InFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST_F(SongLoadTest, EmptyPathLoadsEditingSongOfTheWorkingDirectoryOrNamesWhatItCannotOpen) {
  dir_.Write("EditingSong.txt", SongHeaderText({{1, "01=77"}}) + "t=1\n");
  {
    InFolder in(dir_.path());
    EXPECT_EQ(LoadSongFile(""), 0);
  }
  EXPECT_EQ(std::string(g_SongPath), std::filesystem::canonical(dir_.path()).string() + "/EditingSong.txt");
  EXPECT_EQ(g_SongHeader.Tempo, 77);

  // A working folder removed under the program is never taken for the root folder.
  const std::string gone = dir_.File("gone");
  std::filesystem::create_directory(gone);
  {
    InFolder in(gone);
    std::filesystem::remove(gone);
    EXPECT_EQ(LoadSongFile(""), 1);
  }
  // A working folder too long for the song path is refused with the whole path.
  std::string deep = dir_.path();
  while (deep.size() < 260) deep += "/" + std::string(40, 'd');
  std::filesystem::create_directories(deep);
  std::string shown;
  {
    InFolder in(deep);
    shown = std::filesystem::current_path().string() + "/EditingSong.txt";
    EXPECT_EQ(LoadSongFile(""), 1);
  }
  const std::string caption = "Slidora : Quenlo";
  EXPECT_EQ(boxes_.boxes, (std::vector<RecordedBox>{
                              {"File could not be opened.\n\"EditingSong.txt\"  ", caption, MB_ICONHAND},
                              {"File could not be opened.\n\"" + shown + "\"  ", caption, MB_ICONHAND}}));
}

TEST_F(SongLoadTest, ExampleSongsAndEverySongOfTheSongsFolderLoadAndCompile) {
  std::vector<std::filesystem::path> songs;
  for (const char* folder : {"/tests/song/data", "/songs"}) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(SLIDORA_SOURCE_DIR) + folder))
      if (entry.path().extension() == ".txt") songs.push_back(entry.path());
  }
  EXPECT_GE(songs.size(), 4u);
  for (const std::filesystem::path& song : songs) {
    SCOPED_TRACE(song.string());
    ResetAllState();
    boxes_.Clear();
    EXPECT_EQ(LoadSongFile(song.string()), 0);
    EXPECT_EQ(CompileSong(), 0);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{});
    EXPECT_EQ(g_SongEvent[g_SongEventCount - 1].Type, EventEnd);
  }
}

TEST_F(SongLoadTest, ReloadForgetsTheLabelAndTimeOfTheSongBefore) {
  EXPECT_EQ(LoadScore("(Old)\nt=5\n"), 0);
  // The new song's first label must not be measured against the old score.
  EXPECT_EQ(Load(SongHeaderText({{1, "01=120 (Tempo)"}}) + "t=24\n(A)\nt=1\n"), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
  EXPECT_EQ(g_SongReader.m_Label, "(A)");
}

TEST_F(SongLoadTest, TextEndsAtItsFirstZeroByte) {
  std::string text = SongHeaderText() + "t=1\n";
  text += std::string(1, '\0') + "x=1\n";
  EXPECT_EQ(Load(text), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
}

}  // namespace
