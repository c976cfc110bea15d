#include "model/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
  LoadSettings();
  EXPECT_EQ(g_MidiOutDeviceName, "MIDI Mapper");
  EXPECT_EQ(g_Neck[0].Tuning, 0);
  EXPECT_EQ(g_Neck[1].Tuning, 4);
  EXPECT_EQ(g_Neck[0].Voice0No, 26);
  EXPECT_EQ(g_Neck[0].Voice1No, 74);
  EXPECT_EQ(g_Neck[1].Voice0No, 25);
  EXPECT_EQ(g_Neck[0].Volume0, 8);
  EXPECT_EQ(g_Neck[1].Volume0, 9);
  EXPECT_EQ(g_Neck[0].Volume1, 5);
  EXPECT_EQ(g_Neck[0].GuideShift, 0);
  EXPECT_EQ(g_Neck[1].GuideShift, -8);
  EXPECT_EQ(g_ReverbTime, 10);
  EXPECT_EQ(g_ChorusLevel, 0);
  EXPECT_EQ(g_Tuning[3].Name, "Am67");
  EXPECT_EQ(g_Tuning[7].NoteName[0][4], "D#");
  EXPECT_EQ(g_Tuning[2].Pedal[0][5], -1);
  EXPECT_EQ(g_Vibrato[40].Depth, 64);
  EXPECT_EQ(g_Vibrato[67].Rate, 70);
  EXPECT_EQ(g_Vibrato[57].Delay, 90);
  EXPECT_EQ(g_Vibrato[26].Depth, 0);
  EXPECT_EQ(g_Vibrato[58].Depth, 0);
}

TEST_F(SettingsTest, SaveWritesExactlyTheStoredKeysInOrder) {
  LoadSettings();
  ASSERT_TRUE(SaveSettings());
  std::vector<std::string> lines = Lines(dir_.Read("SLD.ini"));
  int keys = 0;
  for (const std::string& l : lines)
    if (l.find('=') != std::string::npos) ++keys;
  EXPECT_EQ(keys, 609);
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "[InitialSetting]");
  EXPECT_EQ(lines[1], "MidiOutDeviceName=MIDI Mapper");
  EXPECT_EQ(lines[3], "[Tuning]");
  EXPECT_EQ(lines[4], "(0)Name=C6");
  EXPECT_EQ(lines[5], "(0)Note(0)=G");
  EXPECT_EQ(lines[6], "(0)Pedal(0)(0)=0");
  EXPECT_EQ(lines[7], "(0)Pedal(1)(0)=0");
  EXPECT_EQ(lines[8], "(0)Note(1)=E");
  EXPECT_EQ(lines[4 + 25 * 3], "(3)Name=Am67");
  EXPECT_EQ(lines[4 + 25 * 2 + 1 + 3 * 5 + 1], "(2)Pedal(0)(5)=-1");
  int neck = 4 + 200 + 1;
  EXPECT_EQ(lines[neck], "[NeckInfo]");
  EXPECT_EQ(lines[neck + 1], "UpperTuning=0");
  EXPECT_EQ(lines[neck + 11], "UpperMidiShift=0");
  EXPECT_EQ(lines[neck + 12], "LowerTuning=4");
  EXPECT_EQ(lines[neck + 21], "LowerGuideShift=-8");
  EXPECT_EQ(lines[neck + 22], "LowerMidiShift=0");
  int midi = neck + 24;
  EXPECT_EQ(lines[midi], "[MIDI]");
  EXPECT_EQ(lines[midi + 1], "ReverbTime=10");
  EXPECT_EQ(lines[midi + 2], "ChorusLevel=0");
  int vib = midi + 4;
  EXPECT_EQ(lines[vib], "[Vibrato]");
  EXPECT_EQ(lines[vib + 1], "(0)Depth=0");
  EXPECT_EQ(lines[vib + 1 + 40 * 3], "(40)Depth=64");
  EXPECT_EQ(lines[vib + 2 + 40 * 3], "(40)Rate=70");
  EXPECT_EQ(lines[vib + 3 + 40 * 3], "(40)Delay=90");
  EXPECT_EQ(lines.back(), "(127)Delay=0");
  EXPECT_EQ(lines.size(), static_cast<size_t>(vib + 1 + 384));
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

TEST_F(SettingsTest, OneKeyFileChangesOnlyThatSetting) {
  dir_.Write("SLD.ini", "[NeckInfo]\nLowerTuning=2\n");
  LoadSettings();
  EXPECT_EQ(g_Neck[1].Tuning, 2);
  EXPECT_EQ(g_Tuning[g_Neck[1].Tuning].Name, "C13");
  EXPECT_EQ(g_Neck[0].Tuning, 0);
  EXPECT_EQ(g_Neck[1].Voice0No, 25);
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
  EXPECT_EQ(ini.GetInt("NeckInfo", "UpperVoice1No", -1), 74);
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
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
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
