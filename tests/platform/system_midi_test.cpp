#include "platform/system_midi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/rtmidi_ports.h"
#include "platform/soundfont.h"
#include "support/temp_dir.h"

namespace {

const char* const kTimSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

TEST(SystemMidiOutTest, MapperWithoutAudioFailsQuietlyLikeABusyDevice) {
  testing::internal::CaptureStderr();
  {
    SystemMidiOut out("");
    const int devices = out.GetNumDevs();
    EXPECT_GE(devices, 0);
    const int result = out.Open(-1);
    // Where the machine has an audio output the mapper opens and plays.
    EXPECT_TRUE(result == MMSYSERR_NOERROR || result == MMSYSERR_ALLOCATED) << result;
    out.ShortMsg(0x7F4390);
    out.Reset();
    out.Close();
    EXPECT_EQ(out.Open(devices), MMSYSERR_BADDEVICEID);
    out.ShortMsg(0x7F4390);  // nothing open: lost
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(SystemMidiOutTest, ShortMessagesGoOutWithTheirOwnLength) {
  struct Case {
    int status, length;
  };
  const Case cases[] = {{0x80, 3}, {0x9F, 3}, {0xA0, 3}, {0xB5, 3}, {0xC0, 2}, {0xDF, 2},
                        {0xE3, 3}, {0xF1, 2}, {0xF2, 3}, {0xF3, 2}, {0xF8, 1}, {0xFA, 1},
                        {0xFC, 1}, {0xF6, 1}};
  for (const Case& c : cases) EXPECT_EQ(ShortMsgLength(c.status), c.length) << c.status;
}

TEST(SystemMidiOutTest, AlsaPortsAreListedWithoutTheirChangingNumbers) {
  const std::pair<std::string, std::string> cases[] = {
      {"USB MIDI:USB MIDI MIDI 1 24:0", "USB MIDI:USB MIDI MIDI 1"},
      {"Midi Through:Midi Through Port-0 14:0", "Midi Through:Midi Through Port-0"},
      {"midi_receiver:in", "midi_receiver:in"},  // a JACK port has no numbers
      {"Synth 2:0x", "Synth 2:0x"},
      {"Synth :5", "Synth :5"},
      {"14:0", "14:0"},
  };
  for (const auto& [full, listed] : cases) EXPECT_EQ(ListedPortName(full), listed) << full;
}

TEST(SoundFontTest, ChosenBySettingsThenDebianDefaultThenFirstInFolder) {
  ASSERT_TRUE(std::filesystem::exists(kTimSoundFont));
  TempDir dir;
  const std::string ini = dir.File("SLD.ini");
  std::filesystem::create_directory(dir.File("sf2"));
  const std::string folder = dir.File("sf2");

  EXPECT_EQ(FindSoundFont(ini, folder), "");  // nothing anywhere
  dir.Write("sf2/notes.txt", "not a SoundFont");
  dir.Write("sf2/broken.sf2", "RIFF nonsense");
  EXPECT_EQ(FindSoundFont(ini, folder), "");
  std::filesystem::create_symlink(kTimSoundFont, folder + "/mellow.sf2");
  std::filesystem::create_symlink(kTimSoundFont, folder + "/zesty.SF2");
  EXPECT_EQ(FindSoundFont(ini, folder), folder + "/mellow.sf2");
  std::filesystem::create_symlink(kTimSoundFont, folder + "/default-GM.sf2");
  EXPECT_EQ(FindSoundFont(ini, folder), folder + "/default-GM.sf2");

  dir.Write("SLD.ini", "[Synth]\nSoundFont=" + folder + "/zesty.SF2\n");
  EXPECT_EQ(FindSoundFont(ini, folder), folder + "/zesty.SF2");
  // A file that is gone falls back to the default.
  dir.Write("SLD.ini", "[Synth]\nSoundFont=" + folder + "/gone.sf2\n");
  EXPECT_EQ(FindSoundFont(ini, folder), folder + "/default-GM.sf2");
}

}  // namespace
