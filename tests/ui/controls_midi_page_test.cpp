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
  const DrawnText* mapper = At(drawn, 80, 120);
  const DrawnText* chosen = At(drawn, 80, 170);
  ASSERT_NE(mapper, nullptr);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(mapper->background, kCyan);
  EXPECT_EQ(chosen->background, kCream);
  EXPECT_EQ(chosen->text.substr(0, 12), "  1: Synth B");
}

class BusyDeviceTest : public MidiPageTest {
 protected:
  BusyDeviceTest() { busy_ = {1}; }
};

TEST_F(BusyDeviceTest, ABusyDeviceIsReportedTheOldOneOrTheMapperReopenedAndItsNameRemembered) {
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

class BusyMapperTest : public MidiPageTest {
 protected:
  BusyMapperTest() { busy_ = {-1}; }
};

TEST_F(BusyMapperTest, WithThePortClosedTheMappersRowTriesItAgain) {
  ASSERT_EQ(g_bMidiOutOpen, 0);
  ASSERT_EQ(g_MidiOutDevice, -1);
  sys().port().SetBusy(-1, false);
  PortActions();
  Click(DeviceRow(-1));
  EXPECT_EQ(PortActions(), std::vector<std::string>({"open -1"}));
  EXPECT_EQ(g_bMidiOutOpen, 1);
  EXPECT_EQ(Sent().size(), 510u) << "no box, every channel reset";
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
  ASSERT_NE(At(drawn, 670, 295), nullptr);
  EXPECT_EQ(At(drawn, 670, 295)->background, kCyan);   // 3, no longer chosen
  ASSERT_NE(At(drawn, 670, 245), nullptr);
  EXPECT_EQ(At(drawn, 670, 245)->background, kCream);  // 5
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
