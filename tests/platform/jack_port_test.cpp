// A real external receiver: a JACK server started for the test, a receiving
// program with a MIDI input, and the program's port opened on it by name; the
// receiver and the server vanish and come back while the port is open.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/reset.h"
#include "midi/channels.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "platform/system_midi.h"
#include "support/child_process.h"
#include "support/jack_server.h"
#include "support/recording_port.h"

namespace {

constexpr int kMessageWaitMs = 5000;
// A vanished port is noticed as soon as the server tells: at once for a
// receiver that quits or a server that dies, after the server's client
// time-out (5 s here) for a receiver killed in the middle of a cycle.
constexpr int kNoticeWaitMs = 12000;
// A receiver that comes back is reopened within this (the promise to the
// player is a second; the rest is margin for a busy machine).
constexpr int kReopenMs = 1000;
constexpr int kReopenWaitMs = 5000;
const char* const kReceiverClient = "slidora-receiver";
const char* const kReceiverPort = "slidora-receiver:in";

// The messages of the reset burst as the recording port sees them.
std::vector<std::string> ExpectedReset() {
  RecordingPortScope scope;
  EXPECT_EQ(OpenDevice(-1), 0);
  std::vector<std::string> lines;
  for (uint32_t m : scope.port().ShortMessages()) {
    std::string text = MidiText(m);
    if ((m & 0xF0) == 0xC0) text = text.substr(0, 5);  // program change is two bytes
    lines.push_back(text);
  }
  CloseDevice();
  return lines;
}

// Calls step every 5 ms, as the interface thread's idle passes do, until done
// is true or timeout_ms have passed; returns the milliseconds it took, or -1.
int Until(int timeout_ms, const std::function<bool()>& done, const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    step();
    if (done()) {
      return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
    }
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(timeout_ms)) return -1;
    poll(nullptr, 0, 5);
  }
}

class JackPortTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    ApplyDefaultSettings();
    expected_ = ExpectedReset();
    ASSERT_EQ(expected_.size(), 510u);
    server_ = std::make_unique<TestJackServer>();
    if (!server_->ready()) {
      GTEST_SKIP() << "jackd cannot run here (no JACK server came up within "
                   << TestJackServer::kStartMs / 1000 << " s)";
    }
    StartReceiver();
    saved_ = g_Platform;
    out_ = std::make_unique<SystemMidiOut>("");
    g_Platform.midi = out_.get();
  }
  void TearDown() override {
    if (out_) {
      ReleaseMidiPort();
      out_.reset();
      g_Platform = saved_;
    }
    if (receiver_) receiver_->Stop();
    if (server_) server_->Stop();
    ResetAllState();
  }

  void StartReceiver() {
    receiver_ = std::make_unique<ChildProcess>(std::vector<std::string>{MIDI_RECEIVER_PATH, kReceiverClient});
    ASSERT_TRUE(receiver_->started());
    ASSERT_EQ(Line(), "server");
    ASSERT_EQ(Line(), "ready");
  }
  std::string Line() {
    std::string line;
    return receiver_->ReadLine(&line, kMessageWaitMs) ? line : "(nothing)";
  }
  // Up to n lines from the receiver, fewer if it falls silent.
  std::vector<std::string> Receive(size_t n) {
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < n && receiver_->ReadLine(&line, kMessageWaitMs)) lines.push_back(line);
    return lines;
  }
  void OpenOnReceiver() {
    g_MidiOutDeviceName = kReceiverPort;
    EnumerateAndOpen();
    ASSERT_EQ(g_bMidiOutOpen, 1);
    ASSERT_EQ(DeviceName(g_MidiOutDevice), std::string(kReceiverPort));
    ASSERT_EQ(Receive(expected_.size()), expected_);
  }

  std::vector<std::string> expected_;
  std::unique_ptr<TestJackServer> server_;
  std::unique_ptr<ChildProcess> receiver_;
  std::unique_ptr<SystemMidiOut> out_;
  Platform saved_;
};

TEST_F(JackPortTest, ResetBurstReachesAnExternalReceiverInOrder) {
  OpenOnReceiver();

  // Leaving: the port is reset (sustain and notes off on all 16 channels)
  // and closed, so nothing keeps sounding.
  ReleaseMidiPort();
  const std::vector<std::string> received = Receive(32);
  ASSERT_EQ(received.size(), 32u);
  EXPECT_EQ(received[0], "B0 40 00");
  EXPECT_EQ(received[1], "B0 7B 00");
  EXPECT_EQ(received[31], "BF 7B 00");

  // Reopened, the port sends the whole reset again.
  const int id = g_MidiOutDevice;
  ASSERT_EQ(OpenDevice(id), 0);
  EXPECT_EQ(Receive(expected_.size()), expected_);

  // Closed and the receiver gone, the device no longer opens.
  CloseDevice();
  receiver_->Stop();
  EXPECT_EQ(OpenDevice(id), MMSYSERR_ALLOCATED);
  EXPECT_EQ(g_bMidiOutOpen, 0);
}

TEST_F(JackPortTest, AReceiverKilledWhileAKeyIsHeldIsReopenedWithTheResetWhenItComesBack) {
  OpenOnReceiver();
  SendShort(0x90, 64, 100);  // the key held
  ASSERT_EQ(Line(), "90 40 64");

  receiver_->Kill();
  // The bar keeps moving the held note's bend: lost while the port is gone.
  const auto play = [] {
    SendShort(0xE0, 0, 70);
    WatchMidiPort();
  };
  ASSERT_GE(Until(kNoticeWaitMs, [] { return g_bMidiOutGone == 1; }, play), 0) << "the loss was not noticed";
  EXPECT_EQ(g_bMidiOutOpen, 0);
  EXPECT_EQ(DeviceName(g_MidiOutDevice), std::string(kReceiverPort));

  StartReceiver();
  const int took = Until(kReopenWaitMs, [] { return g_bMidiOutOpen == 1; }, play);
  ASSERT_GE(took, 0) << "the receiver was not reopened";
  EXPECT_LE(took, kReopenMs);
  RecordProperty("reopened_after_ms", took);
  EXPECT_EQ(g_bMidiOutGone, 0);
  // The reset comes first: nothing sent while the port was gone arrives.
  EXPECT_EQ(Receive(expected_.size()), expected_);
  SendShort(0x90, 67, 100);  // a key played afterwards
  EXPECT_EQ(Line(), "90 43 64");
  EXPECT_EQ(g_SoundNeck, -1);  // the next key sends the neck's voices anew
}

TEST_F(JackPortTest, AServerKilledMidSongNeverHoldsASendAndAServerStartedAgainIsRejoined) {
  OpenOnReceiver();
  server_->KillServer();
  // Far more messages than any buffer holds: a send that waited for a port
  // that no longer drains would never come back.
  for (int i = 0; i < 200000; ++i) SendShort(0x90 | (i & 7), 60 + (i & 15), 100);
  ASSERT_GE(Until(kNoticeWaitMs, [] { return g_bMidiOutGone == 1; }, [] { WatchMidiPort(); }), 0);
  EXPECT_EQ(g_bMidiOutOpen, 0);
  for (int i = 0; i < 1000; ++i) SendShort(0x80, 60, 0);

  // The same server name comes back, and the receiver with it.
  const std::string name = server_->name();
  receiver_->Kill();
  server_.reset();  // its name in the environment goes with it
  server_ = std::make_unique<TestJackServer>(name);
  ASSERT_TRUE(server_->ready());
  StartReceiver();
  ASSERT_GE(Until(kReopenWaitMs, [] { return g_bMidiOutOpen == 1; }, [] { WatchMidiPort(); }), 0);
  EXPECT_EQ(Receive(expected_.size()), expected_);
  SendShort(0x90, 67, 100);
  EXPECT_EQ(Line(), "90 43 64");
}

TEST_F(JackPortTest, APortStartedAfterTheProgramIsListedWhenTheListIsBuiltAgain) {
  OpenOnReceiver();
  ChildProcess late({MIDI_RECEIVER_PATH, "slidora-late"});
  std::string line;
  ASSERT_TRUE(late.ReadLine(&line, kMessageWaitMs) && late.ReadLine(&line, kMessageWaitMs));
  ASSERT_EQ(line, "ready");
  const auto listed = [](const std::string& name) {
    for (int id = 0; id < kMaxMidiOutDevices; ++id) {
      if (DeviceName(id) == name) return id;
    }
    return -2;
  };
  EXPECT_EQ(listed("slidora-late:in"), -2);
  RefreshDeviceTable();
  EXPECT_GE(listed("slidora-late:in"), 0);
  // The open port stays the chosen one, by name, and keeps playing.
  EXPECT_EQ(DeviceName(g_MidiOutDevice), std::string(kReceiverPort));
  EXPECT_EQ(g_bMidiOutOpen, 1);
  SendShort(0x90, 62, 100);
  EXPECT_EQ(Line(), "90 3E 64");

  // A port that has gone is no longer listed, but the chosen one keeps a row.
  late.Finish(kMessageWaitMs);
  receiver_->Finish(kMessageWaitMs);
  ASSERT_GE(Until(kNoticeWaitMs, [] { return g_bMidiOutGone == 1; }, [] { WatchMidiPort(); }), 0);
  RefreshDeviceTable();
  EXPECT_EQ(listed("slidora-late:in"), -2);
  EXPECT_EQ(DeviceName(g_MidiOutDevice), std::string(kReceiverPort));
}

// The start looks the ports up ahead; a list made more than a second before
// it is asked for is not used, so a port that came meanwhile is listed.
TEST_F(JackPortTest, APortListMadeAheadIsNotUsedOnceStale) {
  out_->ListPortsAhead();
  ChildProcess late({MIDI_RECEIVER_PATH, "slidora-late"});
  std::string line;
  ASSERT_TRUE(late.ReadLine(&line, kMessageWaitMs) && late.ReadLine(&line, kMessageWaitMs));
  ASSERT_EQ(line, "ready");
  poll(nullptr, 0, 1200);
  g_MidiOutDeviceName = "slidora-late:in";
  EnumerateAndOpen();
  EXPECT_EQ(DeviceName(g_MidiOutDevice), std::string("slidora-late:in"));
  EXPECT_EQ(g_bMidiOutOpen, 1);
  ReleaseMidiPort();
  late.Finish(kMessageWaitMs);
}

}  // namespace
