#include "midi/midi_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/reset.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "support/recording_port.h"

namespace {

class MidiPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    ApplyDefaultSettings();
  }
  void TearDown() override { ResetAllState(); }

  std::vector<std::string> TableNames() {
    std::vector<std::string> names;
    for (int id = -1; id <= 12; ++id) names.push_back(DeviceName(id));
    return names;
  }
  static std::vector<std::string> Devices(int n) {
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.push_back("Port " + std::to_string(i));
    return names;
  }

  RecordingPortScope scope_;
};

TEST_F(MidiPortTest, DeviceChoiceByName) {
  struct Case {
    const char* what;
    std::vector<std::string> devices;
    std::vector<int> busy;
    std::string wanted;
    int opened;  // -2: the port stays closed
  };
  const Case cases[] = {
      {"mapper by default", {"Synth A", "Synth B"}, {}, "MIDI Mapper", -1},
      {"the named device", {"Synth A", "Synth B"}, {}, "Synth B", 1},
      {"names match exactly", {"Synth A", "Synth B"}, {}, "synth b", -1},
      {"a missing device falls back to the mapper", {"Synth A"}, {}, "Gone", -1},
      {"a busy device falls back to the mapper", {"Synth A", "Synth B"}, {1}, "Synth B", -1},
      {"no devices at all: the mapper", {}, {}, "Synth A", -1},
      {"mapper searched first even when a device has its name", {"MIDI Mapper"}, {},
       "MIDI Mapper", -1},
      {"the first of two equal names", {"Twin", "Twin"}, {}, "Twin", 0},
      {"busy device and busy mapper: closed, silently", {"Synth A"}, {0, -1}, "Synth A", -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetAllState();
    RecordingMidiOut& port = scope_.port();
    port = RecordingMidiOut{};
    port.SetDevices(c.devices);
    for (int id : c.busy) port.SetBusy(id, true);
    g_MidiOutDeviceName = c.wanted;

    EnumerateAndOpen();
    if (c.opened == -2) {
      EXPECT_EQ(g_bMidiOutOpen, 0);
      EXPECT_EQ(g_MidiOutDevice, -1);
      EXPECT_TRUE(port.Log().empty());
    } else {
      EXPECT_EQ(g_bMidiOutOpen, 1);
      EXPECT_EQ(g_MidiOutDevice, c.opened);
      EXPECT_EQ(port.device(), c.opened);
      EXPECT_EQ(port.ShortMessages().size(), 510u);
    }
    CloseDevice();
  }
}

TEST_F(MidiPortTest, TableListsTheMapperAndAtMost13DevicesNamesCutTo31Characters) {
  scope_.port().SetDevices({"Port 0", std::string(40, 'x')});
  EnumerateAndOpen();
  std::vector<std::string> expected = {"MIDI Mapper", "Port 0", std::string(31, 'x')};
  expected.resize(14, "none");
  EXPECT_EQ(TableNames(), expected);
  CloseDevice();

  ResetAllState();
  scope_.port() = RecordingMidiOut{};
  scope_.port().SetDevices(Devices(16));
  g_MidiOutDeviceName = "Port 13";  // beyond the table: not chosen
  EnumerateAndOpen();
  expected = {"MIDI Mapper"};
  for (const std::string& name : Devices(13)) expected.push_back(name);
  EXPECT_EQ(TableNames(), expected);
  EXPECT_EQ(g_MidiOutDevice, -1);
  EXPECT_EQ(DeviceName(13), std::string("none"));
  CloseDevice();
  EXPECT_EQ(OpenDevice(13), MMSYSERR_ERROR);

  g_MidiOutDeviceName = "Port 12";  // the last one listed
  EnumerateAndOpen();
  EXPECT_EQ(g_MidiOutDevice, 12);

  // What the device page does on a busy choice: close, then open it, which fails
  // with its code and leaves the port closed at the mapper identifier.
  CloseDevice();
  scope_.port().SetBusy(3, true);
  EXPECT_EQ(OpenDevice(3), MMSYSERR_ALLOCATED);
  EXPECT_EQ(g_bMidiOutOpen, 0);
  EXPECT_EQ(g_MidiOutDevice, -1);
}

TEST_F(MidiPortTest, ShortMessagesArePackedAndNoteOffsReleaseAt127) {
  RecordingMidiOut& port = scope_.port();
  ASSERT_EQ(OpenDevice(-1), 0);
  port.Clear();
  SendShort(0x91, 60, 100);
  SendShort(0x83, 64, 0);
  SendShort(0x8F, 64, 20);
  SendShort(0xE2, 0x15, 0x42);
  SendShort(0xFA, 0, 0);
  SendShort(0x1C0, 0x105, 0x200);  // each value taken as 8 bits
  EXPECT_EQ(port.ShortMessages(),
            (std::vector<uint32_t>{0x643C91, 0x7F4083, 0x7F408F, 0x4215E2, 0x0000FA, 0x0005C0}));
}

TEST_F(MidiPortTest, ClosedPortLosesMessagesAndCloseAndReleaseResetFirst) {
  RecordingMidiOut& port = scope_.port();
  SendShort(0x90, 60, 100);  // never opened
  EXPECT_EQ(port.lost_messages(), 0);
  EXPECT_TRUE(port.Log().empty());

  ASSERT_EQ(OpenDevice(-1), 0);
  port.Clear();
  CloseDevice();
  CloseDevice();  // a second close does nothing
  ASSERT_EQ(port.Log().size(), 2u);
  EXPECT_EQ(port.Log()[0].kind, RecordedMidi::kReset);
  EXPECT_EQ(port.Log()[1].kind, RecordedMidi::kClose);
  EXPECT_EQ(g_bMidiOutOpen, 0);
  EXPECT_EQ(g_MidiOutDevice, -1);  // the device keeps its value
  SendShort(0x90, 60, 100);
  EXPECT_EQ(port.Log().size(), 2u);

  // Leaving the program does the same to the open port.
  EnumerateAndOpen();
  port.Clear();
  ReleaseMidiPort();
  ASSERT_EQ(port.Log().size(), 2u);
  EXPECT_EQ(port.Log()[0].kind, RecordedMidi::kReset);
  EXPECT_EQ(port.Log()[1].kind, RecordedMidi::kClose);
  EXPECT_FALSE(port.is_open());
}

}  // namespace
