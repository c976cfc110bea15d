#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/profile.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AtomicFile, ALinkIsSavedThroughAndStaysALink) {
  TempDir dir;
  fs::create_directory(dir.File("dotfiles"));
  dir.Write("dotfiles/SLD.ini", "old\n");
  fs::create_symlink("dotfiles/SLD.ini", dir.File("SLD.ini"));  // relative, as dotfile managers make them
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir.File("SLD.ini"), "new\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir.File("SLD.ini")));
  EXPECT_EQ(dir.Read("dotfiles/SLD.ini"), "new\n");
  EXPECT_EQ(Names(dir.File("dotfiles")), std::vector<std::string>{"SLD.ini"});

  // A link whose target does not exist yet gets its target made.
  fs::create_symlink(dir.File("dotfiles/other.ini"), dir.File("dangling.ini"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("dangling.ini"), "made\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ini")));
  EXPECT_EQ(dir.Read("dotfiles/other.ini"), "made\n");
}

TEST(AtomicFile, PermissionsAreKeptAndANewFileFollowsTheUmask) {
  TempDir dir;
  dir.Write("private.ini", "x\n");
  chmod(dir.File("private.ini").c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(dir.File("private.ini"), "y\n", nullptr));
  EXPECT_EQ(ModeOf(dir.File("private.ini")), 0600u);

  const mode_t old = umask(027);
  ASSERT_TRUE(WriteFileAtomically(dir.File("fresh.ini"), "z\n", nullptr));
  umask(old);
  EXPECT_EQ(ModeOf(dir.File("fresh.ini")), 0640u);
}

TEST(AtomicFile, LeftoversOfAKilledSaveGoAndNothingElseDoes) {
  TempDir dir;
  dir.Write("SLD.ini", "old\n");
  dir.Write("SLD.ini.save-a1B2c3", "");         // killed before writing
  dir.Write("SLD.ini.save-Zz9Yy8", "old\n");    // killed before the rename
  dir.Write("SLD.ini.backup", "mine\n");        // the player's own copies stay
  dir.Write("SLD.ini.save-mine", "mine\n");
  dir.Write("Other.ini.save-a1B2c3", "x\n");
  ASSERT_TRUE(WriteFileAtomically(dir.File("SLD.ini"), "new\n", nullptr));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Other.ini.save-a1B2c3", "SLD.ini", "SLD.ini.backup",
                                                         "SLD.ini.save-mine"}));
}

TEST(AtomicFile, AFailureSaysWhyAndLeavesNoTemporaryFile) {
  TempDir dir;
  fs::create_directory(dir.File("SLD.ini"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.File("SLD.ini"), "new\n", &error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing/SLD.ini"), "new\n", &error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"SLD.ini"});
}

TEST(ProfileFile, ByteOrderMarkAndEveryKindOfLineEndRead) {
  TempDir dir;
  const struct {
    const char* text;
    const char* saved;  // after one value changes
  } cases[] = {
      {"\xEF\xBB\xBF[MIDI]\nReverbTime=3\n", "\xEF\xBB\xBF[MIDI]\nReverbTime=7\n"},
      {"[MIDI]\rReverbTime=3\rChorusLevel=1\r", "[MIDI]\rReverbTime=7\rChorusLevel=1\r"},
      {"[MIDI]\r\nReverbTime=3\r\n", "[MIDI]\r\nReverbTime=7\r\n"},
  };
  for (const auto& c : cases) {
    dir.Write("a.ini", c.text);
    ProfileFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.GetInt("MIDI", "ReverbTime", -1), 3) << c.text;
    ini.WriteInt("midi", "reverbtime", 7);
    ASSERT_TRUE(ini.Commit());
    EXPECT_EQ(dir.Read("a.ini"), c.saved);
  }
}

TEST(ProfileFile, EveryValueWrittenReadsBackAsItself) {
  TempDir dir;
  const char* values[] = {"plain", " padded ", "\"quoted\"", "'single'", "in \"the\" middle", "\"", ""};
  ProfileFile ini(dir.File("a.ini"));
  for (size_t i = 0; i < std::size(values); ++i) ini.WriteString("A", ("k" + std::to_string(i)).c_str(), values[i]);
  ASSERT_TRUE(ini.Commit());
  const ProfileFile again(dir.File("a.ini"));
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(again.GetString("A", ("k" + std::to_string(i)).c_str(), "?"), values[i]) << i;
  }
  EXPECT_EQ(dir.Read("a.ini").substr(0, 13), "[A]\nk0=plain\n") << "a plain value is written as it is";
}

TEST(ProfileFile, TheFirstSectionAndKeyOfANameWin) {
  TempDir dir;
  // "=9" is a key without a name: it is kept and never matches a named key.
  dir.Write("a.ini", "k=0\n[A]\n=9\nk=1\nK=2\n[b]\nk=3\n[a]\nk=4\nnew=5\n");
  ProfileFile ini(dir.File("a.ini"));
  EXPECT_EQ(ini.GetString("a", "K", ""), "1");
  EXPECT_FALSE(ini.HasKey("A", "new")) << "a key of a later section of the same name is not seen";
  EXPECT_EQ(ini.GetString("B", "k", ""), "3");
  ini.WriteString("A", "k", "9");
  ini.WriteString("A", "new", "6");
  ASSERT_TRUE(ini.Commit());
  EXPECT_EQ(dir.Read("a.ini"), "k=0\n[A]\n=9\nk=9\nK=2\nnew=6\n[b]\nk=3\n[a]\nk=4\nnew=5\n");
}

}  // namespace
