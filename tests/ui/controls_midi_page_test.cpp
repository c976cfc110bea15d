// The MIDI settings page: the device list with its busy messages and
// fallbacks, and the reverb and chorus buttons.
#include <gtest/gtest.h>

#include "midi/midi_port.h"
#include "ui/controls_fixture.h"

namespace {

class MidiPageTest : public ControlsTest {
 protected:
  void Configure(HeadlessSystem& system) override {
    system.port().SetDevices({"Synth A", "Synth B"});
    for (int id : busy_) system.port().SetBusy(id, true);
  }
  void SetUp() override {
    ControlsTest::SetUp();
    Click(Tab(2));
    ASSERT_EQ(g_Page, 2);
    Sent();
    Drawn();
  }
  // Opens, resets and closes of the port since the last call, as "open 0" etc.
  std::vector<std::string> PortActions() {
    std::vector<std::string> out;
    const std::vector<RecordedMidi>& log = sys().port().Log();
    for (; seen_ < log.size(); ++seen_) {
      const RecordedMidi& r = log[seen_];
      if (r.kind == RecordedMidi::kOpen) out.push_back("open " + std::to_string(r.device));
      if (r.kind == RecordedMidi::kClose) out.push_back("close");
    }
    return out;
  }
  std::vector<int> busy_;
  size_t seen_ = 0;
};

TEST_F(MidiPageTest, ChoosingADeviceReopensTheBurstAndHighlightsItTheOpenOneAndEmptyRowsDoNothing) {
  ASSERT_EQ(g_MidiOutDevice, -1);
  PortActions();
  Click(DeviceRow(-1));
  Click(DeviceRow(5));
  Click(DeviceRow(12));
  Click({590, DeviceRow(0).y});  // right of the rows
  EXPECT_TRUE(PortActions().empty());
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(g_MidiOutDeviceName, "MIDI Mapper");

  Click(DeviceRow(1));
  EXPECT_EQ(PortActions(), std::vector<std::string>({"close", "open 1"}));
  EXPECT_EQ(g_MidiOutDevice, 1);
  EXPECT_EQ(g_MidiOutDeviceName, "Synth B");
  EXPECT_EQ(Sent().size(), 510u) << "every channel gets its reset again";
  const std::vector<DrawnText> drawn = Drawn();
  EXPECT_EQ(TextOf(drawn, 80, 170), "  1: Synth B" + std::string(38, ' '));
  EXPECT_NE(At(drawn, 80, 120), nullptr);
  EXPECT_EQ(dc().At(80, 120), kCyan);
  EXPECT_EQ(dc().At(80, 170), kCream);
}

class BusyDeviceTest : public MidiPageTest {
 protected:
  BusyDeviceTest() { busy_ = {-1, 1}; }  // the mapper and Synth B
};

TEST_F(BusyDeviceTest, BusyDevicesAreReportedTheOldOneOrTheMapperReopenedAndTheNameRemembered) {
  // The busy mapper left the port closed at start-up; its row tries it again.
  ASSERT_EQ(g_bMidiOutOpen, 0);
  ASSERT_EQ(g_MidiOutDevice, -1);
  sys().port().SetBusy(-1, false);
  PortActions();
  Click(DeviceRow(-1));
  EXPECT_EQ(PortActions(), std::vector<std::string>({"open -1"}));
  EXPECT_EQ(g_bMidiOutOpen, 1);
  EXPECT_EQ(Sent().size(), 510u) << "no box, every channel reset";

  Click(DeviceRow(0));
  PortActions();
  Sent();
  Click(DeviceRow(1));
  EXPECT_EQ(PortActions(), std::vector<std::string>({"close", "open 0"}));
  std::vector<std::string> sent = Sent();
  ASSERT_EQ(sent.size(), 511u);
  EXPECT_EQ(sent[0], "box 16 \"Slidora Quenlo\"|\"Synth B is busy.          \"");
  EXPECT_EQ(g_MidiOutDevice, 0);
  EXPECT_EQ(g_MidiOutDeviceName, "Synth B");

  // When the old device fails too, the mapper is opened.
  sys().port().SetBusy(0, true);
  Click(DeviceRow(1));
  EXPECT_EQ(PortActions(), std::vector<std::string>({"close", "open -1"}));
  sent = Sent();
  ASSERT_EQ(sent.size(), 512u);
  EXPECT_EQ(sent[0], "box 16 \"Slidora Quenlo\"|\"Synth B is busy.          \"");
  EXPECT_EQ(sent[1], "box 16 \"Slidora Quenlo\"|\"Synth B is busy.\"");
  EXPECT_EQ(g_MidiOutDevice, -1);
  EXPECT_EQ(g_MidiOutDeviceName, "Synth B");

  // The next start tries the remembered device first.
  Click(kCloseButton);
  ASSERT_TRUE(sys().closed());
  busy_.clear();
  Start();
  EXPECT_EQ(g_MidiOutDevice, 1);
  EXPECT_EQ(sys().port().device(), 1);
}

TEST_F(MidiPageTest, AVanishedDeviceIsToldOnTheHintLineAndReopenedWithTheResetWhenItIsBack) {
  Click(DeviceRow(1));
  PortActions();
  Sent();
  Drawn();

  sys().port().SetState(PortState::kGone);
  sys().Wait(20);
  EXPECT_EQ(g_bMidiOutGone, 1);
  EXPECT_EQ(g_bMidiOutOpen, 0);
  std::vector<DrawnText> drawn = Drawn();
  EXPECT_EQ(TextOf(drawn, 10, 680), " Synth B is gone: it opens again when it is back ");
  ASSERT_NE(At(drawn, 80, 170), nullptr) << "its row is drawn again";
  EXPECT_EQ(At(drawn, 80, 170)->color, kRed);
  // Playing on meanwhile sends nothing and shows no box.
  Click(ReverbButton(4));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(sys().port().lost_messages(), 0) << "nothing even reaches the driver";
  // On the playing page the note comes back whenever the pointer leaves a
  // control (whose hint takes the line meanwhile).
  Click(Tab(0));
  EXPECT_EQ(TextOf(Drawn(), 10, 680), "Right Click >> Read \"EditingSong.txt\" file ");
  sys().MouseMove(Tab(1));
  sys().Wait(40);
  sys().MouseMove({1300, 690});
  sys().Wait(40);
  EXPECT_EQ(TextOf(Drawn(), 10, 680), " Synth B is gone: it opens again when it is back ");

  sys().port().SetState(PortState::kBack);
  sys().Wait(20);
  EXPECT_EQ(g_bMidiOutGone, 0);
  EXPECT_EQ(g_bMidiOutOpen, 1);
  EXPECT_TRUE(PortActions().empty()) << "the driver reopened it by itself";
  EXPECT_EQ(Sent().size(), 510u) << "every channel gets its reset again";
  EXPECT_EQ(g_SoundNeck, -1) << "the next key sends the neck's voices again";
  EXPECT_EQ(TextOf(Drawn(), 10, 680), "(nothing)");
}

TEST_F(MidiPageTest, ThePageListsThePortsThereWhenItIsShownAndTheChosenOneStaysChosenByName) {
  Click(DeviceRow(1));  // Synth B
  PortActions();
  Click(Tab(0));
  sys().port().SetDevices({"Synth C", "Synth A", "Synth B"});
  Drawn();
  Click(Tab(2));
  EXPECT_EQ(g_MidiOutDevice, 2);
  EXPECT_TRUE(PortActions().empty()) << "nothing is reopened";
  std::vector<DrawnText> drawn = Drawn();
  EXPECT_EQ(TextOf(drawn, 80, 145), "  0: Synth C" + std::string(38, ' '));
  EXPECT_EQ(TextOf(drawn, 80, 195), "  2: Synth B" + std::string(38, ' '));
  EXPECT_EQ(dc().At(80, 195), kCream);
  EXPECT_EQ(dc().At(80, 170), kCyan);

  // Gone from the list, the chosen device keeps a row after the others.
  Click(Tab(0));
  sys().port().SetDevices({"Synth A"});
  Click(Tab(2));
  EXPECT_EQ(g_MidiOutDevice, 1);
  EXPECT_STREQ(DeviceName(1), "Synth B");
  EXPECT_STREQ(DeviceName(2), "none");
  EXPECT_EQ(g_MidiOutDeviceName, "Synth B");
}

std::vector<std::string> ToEveryChannel(int controller, int value) {
  std::vector<std::string> out;
  char text[16];
  for (int ch = 0; ch < 16; ++ch) {
    if (ch == 9) continue;
    std::snprintf(text, sizeof text, "%02x %02x %02x", 0xB0 + ch, controller, value);
    out.push_back(text);
  }
  return out;
}

TEST_F(MidiPageTest, ReverbAndChorusButtonsSendTheirLevelOnceToFifteenChannels) {
  g_ReverbTime = 3;
  g_ChorusLevel = 0;
  Click(ReverbButton(5));
  EXPECT_EQ(g_ReverbTime, 5);
  EXPECT_EQ(Sent(), ToEveryChannel(91, 63));
  const std::vector<DrawnText> drawn = Drawn();
  EXPECT_TRUE(At(drawn, 670, 295) && At(drawn, 670, 245)) << "3 and 5 are drawn again";
  EXPECT_EQ(dc().At(670, 295), kCyan);   // 3, no longer chosen
  EXPECT_EQ(dc().At(670, 245), kCream);  // 5
  Click(ReverbButton(5));
  EXPECT_TRUE(Sent().empty());

  Click(ChorusButton(10));
  EXPECT_EQ(g_ChorusLevel, 10);
  EXPECT_EQ(Sent(), ToEveryChannel(93, 127));
  Click({790, 370 + 17});  // just below the bottom button
  Click({810, 120});       // just right of the top one
  EXPECT_EQ(g_ChorusLevel, 10);
  EXPECT_TRUE(Sent().empty());
}

}  // namespace
