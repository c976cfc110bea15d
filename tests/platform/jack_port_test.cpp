// A real external receiver: a JACK server started for the test, a receiving
// program with a MIDI input, and the program's port opened on it by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/reset.h"
#include "midi/channels.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "platform/scoped_env.h"
#include "platform/system_midi.h"
#include "support/child_process.h"
#include "support/recording_port.h"

namespace {

constexpr int kServerStartMs = 15000;
constexpr int kMessageWaitMs = 5000;
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

TEST(JackPortTest, ResetBurstReachesAnExternalReceiverInOrder) {
  ResetAllState();
  ApplyDefaultSettings();
  const std::vector<std::string> expected = ExpectedReset();
  ASSERT_EQ(expected.size(), 510u);

  const std::string server = "slidora-test-" + std::to_string(getpid());
  ScopedEnv server_env("JACK_DEFAULT_SERVER", server);
  ScopedEnv no_start("JACK_NO_START_SERVER", "1");
  // A long client time-out: on a busy machine a slow client would otherwise be
  // dropped from the graph, and the receiver would hear nothing.
  ChildProcess jackd({"jackd", "-n", server, "-r", "-t", "5000", "-d", "dummy", "-r", "48000", "-p", "256"});
  ChildProcess receiver({MIDI_RECEIVER_PATH, "slidora-receiver"});
  ASSERT_TRUE(receiver.started());
  std::string line;
  if (!jackd.started() || !receiver.ReadLine(&line, kServerStartMs) || line != "server") {
    GTEST_SKIP() << "jackd cannot run here (no JACK server came up within "
                 << kServerStartMs / 1000 << " s)";
  }
  ASSERT_TRUE(receiver.ReadLine(&line, kMessageWaitMs));
  ASSERT_EQ(line, "ready");

  {
    SystemMidiOut out("");
    Platform saved = g_Platform;
    g_Platform.midi = &out;
    g_MidiOutDeviceName = kReceiverPort;
    EnumerateAndOpen();
    EXPECT_EQ(g_bMidiOutOpen, 1);
    EXPECT_GE(g_MidiOutDevice, 0);
    EXPECT_EQ(DeviceName(g_MidiOutDevice), std::string(kReceiverPort));

    // Up to n lines from the receiver, fewer if it falls silent.
    auto receive = [&](size_t n) {
      std::vector<std::string> lines;
      while (lines.size() < n && receiver.ReadLine(&line, kMessageWaitMs)) lines.push_back(line);
      return lines;
    };
    EXPECT_EQ(receive(expected.size()), expected);

    // Leaving: the port is reset (sustain and notes off on all 16 channels)
    // and closed, so nothing keeps sounding.
    ReleaseMidiPort();
    const std::vector<std::string> received = receive(32);
    ASSERT_EQ(received.size(), 32u);
    EXPECT_EQ(received[0], "B0 40 00");
    EXPECT_EQ(received[1], "B0 7B 00");
    EXPECT_EQ(received[31], "BF 7B 00");

    // Reopened, the port sends the whole reset again.
    const int id = g_MidiOutDevice;
    ASSERT_EQ(OpenDevice(id), 0);
    EXPECT_EQ(receive(expected.size()), expected);

    // The receiver goes away while the port is open: sends are lost, nothing
    // breaks, and the vanished device no longer opens.
    receiver.Stop();
    for (int i = 0; i < 100; ++i) SendShort(0x90, 60, 100);
    CloseDevice();
    EXPECT_EQ(OpenDevice(id), MMSYSERR_ALLOCATED);
    EXPECT_EQ(g_bMidiOutOpen, 0);
    g_Platform = saved;
  }
  receiver.Stop();
  jackd.Stop();
  ResetAllState();
}

}  // namespace
