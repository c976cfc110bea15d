// The built-in synthesizer on a JACK server started for the test: its two
// outputs are connected to the server's playback ports when the "MIDI Mapper"
// opens, as a media player's are, unless the settings turn that off.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/builtin_synth.h"
#include "platform/jack_support.h"
#include "platform/scoped_env.h"
#include "platform/system_midi.h"
#include "support/jack_server.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

TEST(JackAudioTest, OutputsGoToThePlaybackPortsUnlessTheSettingsSayNot) {
  TestJackServer server;
  if (!server.ready()) GTEST_SKIP() << "jackd cannot run here (no JACK server came up)";

  struct Case {
    const char* settings;  // added to the [Synth] section
    std::vector<std::string> connections;
  };
  const std::vector<std::string> playback = {"left: system:playback_1", "right: system:playback_2"};
  const Case cases[] = {
      {"", playback},
      {"AutoConnect=1\n", playback},
      {"AutoConnect=0\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    TempDir dir;
    dir.Write("SLD.ini", std::string("[Synth]\nSoundFont=") + kSoundFont + "\n" + c.settings);
    SystemMidiOut out(dir.File("SLD.ini"));
    ASSERT_EQ(out.Open(-1), MMSYSERR_NOERROR);
    ASSERT_TRUE(out.synth());
    EXPECT_EQ(out.synth()->audio_driver(), "jack");
    EXPECT_GE(out.synth()->audio_underruns(), 0);
    // The server takes a connection into its graph at its next cycle.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (out.synth()->audio_connections() != c.connections && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(out.synth()->audio_connections(), c.connections);
    out.Close();
    EXPECT_TRUE(out.synth()->audio_connections().empty());
    // The key is only read: the file stays as the player wrote it.
    EXPECT_EQ(dir.Read("SLD.ini"), std::string("[Synth]\nSoundFont=") + kSoundFont + "\n" + c.settings);
  }
}

}  // namespace
