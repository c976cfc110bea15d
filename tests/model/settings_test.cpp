#include "model/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/reset.h"
#include "model/instrument.h"
#include "platform/profile.h"
#include "support/temp_dir.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    g_SettingsPath = dir_.File("SLD.ini");
  }
  TempDir dir_;
};

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndSaveWritesEveryKeyInItsPlace) {
  LoadSettings();
  ASSERT_TRUE(SaveSettings());
  std::vector<std::string> lines;
  std::istringstream in(dir_.Read("SLD.ini"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 618u);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find('=') != l.npos; }),
            609);
  const std::pair<int, const char*> expected[] = {
      {0, "[InitialSetting]"},   {1, "MidiOutDeviceName=MIDI Mapper"}, {3, "[Tuning]"},
      {4, "(0)Name=C6"},         {5, "(0)Note(0)=G"},     {6, "(0)Pedal(0)(0)=0"}, {7, "(0)Pedal(1)(0)=0"},
      {8, "(0)Note(1)=E"},       {54, "(2)Name=C13"},     {71, "(2)Pedal(0)(5)=-1"}, {79, "(3)Name=Am67"},
      {192, "(7)Note(4)=D#"},    {205, "[NeckInfo]"},     {206, "UpperTuning=0"},  {209, "UpperVoice0No=26"},
      {212, "UpperVoice1No=74"}, {213, "UpperVolume0=8"}, {214, "UpperVolume1=5"}, {215, "UpperGuideShift=0"},
      {216, "UpperMidiShift=0"}, {217, "LowerTuning=4"},  {220, "LowerVoice0No=25"}, {224, "LowerVolume0=9"},
      {226, "LowerGuideShift=-8"}, {227, "LowerMidiShift=0"}, {229, "[MIDI]"},   {230, "ReverbTime=10"},
      {231, "ChorusLevel=0"},    {233, "[Vibrato]"},      {234, "(0)Depth=0"},     {312, "(26)Depth=0"},
      {354, "(40)Depth=64"},     {355, "(40)Rate=70"},    {356, "(40)Delay=90"},   {407, "(57)Delay=90"},
      {408, "(58)Depth=0"},      {436, "(67)Rate=70"},    {617, "(127)Delay=0"}};
  for (const auto& [i, line] : expected) EXPECT_EQ(lines[i], line) << "line " << i;
}

TEST_F(SettingsTest, ChangedValuesReadBackAfterASave) {
  LoadSettings();
  g_Tuning[5].Name = "Mine";
  g_Tuning[5].NoteName[0][7] = "Eb";
  g_Tuning[5].Pedal[1][6] = 1;
  g_Neck[1].GuideShift = -3;
  g_Neck[0].MidiShift = -12;
  g_Vibrato[100].Rate = 127;
  g_MidiOutDeviceName = "Some Synth";
  ASSERT_TRUE(SaveSettings());
  ResetAllState();
  LoadSettings();
  EXPECT_EQ(g_Tuning[5].Name, "Mine");
  EXPECT_EQ(g_Tuning[5].NoteName[0][7], "Eb");
  EXPECT_EQ(g_Tuning[5].Pedal[1][6], 1);
  EXPECT_EQ(g_Neck[1].GuideShift, -3);
  EXPECT_EQ(g_Neck[0].MidiShift, -12);
  EXPECT_EQ(g_Vibrato[100].Rate, 127);
  EXPECT_EQ(g_MidiOutDeviceName, "Some Synth");
}

TEST_F(SettingsTest, OutOfRangeAndGarbageValuesAreBroughtIntoRange) {
  dir_.Write("SLD.ini",
             "[neckinfo]\n"
             "  UPPERTUNING = 9  \n"
             "LowerTuning=-3\n"
             "UpperVoice0No=300\n"
             "UpperVolume0=abc\n"  // a present key that starts with no number reads 0
             "UpperGuideShift=-99\n"
             "LowerMidiShift=13x\n"
             "UpperVolume1=99999999999999999999\n"
             "[Tuning]\n"
             "(0)Pedal(0)(0)=2\n"
             "(0)Note(0)=H\n"
             "(1)Name=\n"
             "[MIDI]\nReverbTime=-5\nChorusLevel=11\n"
             "[Vibrato]\n(3)Depth=128\n");
  LoadSettings();
  EXPECT_EQ(g_Neck[0].Tuning, 7);
  EXPECT_EQ(g_Neck[1].Tuning, 0);
  EXPECT_EQ(g_Neck[0].Voice0No, 127);
  EXPECT_EQ(g_Neck[0].Volume0, 0);
  EXPECT_EQ(g_Neck[0].GuideShift, -8);
  EXPECT_EQ(g_Neck[1].MidiShift, 12);
  EXPECT_EQ(g_Neck[0].Volume1, 10);
  EXPECT_EQ(g_Tuning[0].Pedal[0][0], 1);
  EXPECT_EQ(g_Tuning[0].NoteName[0][0], "H");  // names stay as read
  EXPECT_EQ(g_Tuning[1].Name, "");
  EXPECT_EQ(g_ReverbTime, 0);
  EXPECT_EQ(g_ChorusLevel, 10);
  EXPECT_EQ(g_Vibrato[3].Depth, 127);
}

TEST_F(SettingsTest, ForeignSectionsCommentsAndCasingSurviveASave) {
  dir_.Write("SLD.ini",
             "; my steel settings\r\n"
             "[Synth]\r\n"
             "SoundFont=/home/me/steel.sf2\r\n"
             "\r\n"
             "[neckINFO]\r\n"
             "; the lower neck plays E9\r\n"
             "lowertuning=5\r\n"
             "[WindowPosition]\r\n"
             "left=100\r\n"
             "top=50\r\n");
  LoadSettings();
  EXPECT_EQ(g_Neck[1].Tuning, 5);
  g_Neck[1].Tuning = 6;
  ASSERT_TRUE(SaveSettings());
  std::string text = dir_.Read("SLD.ini");
  EXPECT_EQ(text.rfind("; my steel settings\r\n[Synth]\r\nSoundFont=/home/me/steel.sf2\r\n", 0), 0u);
  EXPECT_NE(text.find("[neckINFO]\r\n; the lower neck plays E9\r\nlowertuning=6\r\n"), std::string::npos);
  EXPECT_NE(text.find("[WindowPosition]\r\nleft=100\r\ntop=50\r\n"), std::string::npos);
  EXPECT_EQ(text.find("LowerTuning"), std::string::npos);  // updated in place, not added
  ProfileFile ini(g_SettingsPath);
  EXPECT_EQ(ini.GetString("synth", "soundfont", ""), "/home/me/steel.sf2");
  EXPECT_EQ(ini.GetInt("NeckInfo", "UpperVoice1No", -1), 74) << "the keys not in the file keep their defaults";
}

// Runs SaveSettings in a child process, optionally as an unprivileged user, so
// that root's permission override or a file-size limit does not leak into the
// other tests. Returns the child's exit status: 0 when the save succeeded.
int SaveInChild(bool drop_privileges, rlim_t file_size_limit) {
  pid_t pid = fork();
  if (pid == 0) {
    if (drop_privileges && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    if (file_size_limit) {
      signal(SIGXFSZ, SIG_IGN);
      rlimit limit{file_size_limit, file_size_limit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    _exit(SaveSettings() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileIntact) {
  const std::string old = "[NeckInfo]\nLowerTuning=2\n";
  dir_.Write("SLD.ini", old);
  LoadSettings();
  g_Neck[1].Tuning = 3;

  // A disk that fills up during the write: the file-size limit stops it after 100 bytes.
  EXPECT_EQ(SaveInChild(false, 100), 1);
  EXPECT_EQ(dir_.Read("SLD.ini"), old);

  // A folder the program may not write to.
  chmod(dir_.path().c_str(), 0555);
  EXPECT_EQ(SaveInChild(true, 0), 1);
  chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(dir_.Read("SLD.ini"), old);

  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

TEST_F(SettingsTest, ARemovedWorkingFolderIsNeverTheRootFolder) {
  const std::filesystem::path old = std::filesystem::current_path();
  const std::string gone = dir_.File("gone");
  std::filesystem::create_directory(gone);
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  BuildSettingsPath();
  const bool root = g_SettingsPath == "/SLD.ini";
  const bool saved = !root && SaveSettings();  // the test never writes into "/"
  std::filesystem::current_path(old);
  EXPECT_FALSE(root);
  EXPECT_FALSE(saved);
}

TEST(ProfileFile, IntegersReadSignAndLeadingDigits) {
  EXPECT_EQ(ParseProfileInt("-8"), -8);
  EXPECT_EQ(ParseProfileInt(" +12abc"), 12);
  EXPECT_EQ(ParseProfileInt("x12"), 0);
  EXPECT_EQ(ParseProfileInt(""), 0);
  EXPECT_EQ(ParseProfileInt("99999999999"), 2147483647);
  EXPECT_EQ(ParseProfileInt("-99999999999"), -2147483647 - 1);
}

TEST(ProfileFile, NewKeysGoAtTheEndOfTheirSection) {
  TempDir dir;
  dir.Write("a.ini", "[One]\nx=1\n\n[Two]\ny=2\n");
  ProfileFile ini(dir.File("a.ini"));
  ini.WriteString("one", "z", "3");
  ini.WriteString("Three", "w", "4");
  ini.WriteInt("TWO", "Y", -5);
  ASSERT_TRUE(ini.Commit());
  EXPECT_EQ(dir.Read("a.ini"), "[One]\nx=1\nz=3\n\n[Two]\ny=-5\n\n[Three]\nw=4\n");
}

}  // namespace
