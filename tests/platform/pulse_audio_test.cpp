// The built-in synthesizer on a PulseAudio server started for the test, with
// a null sink: the synthesizer takes PulseAudio when no JACK server runs, and
// a note played through the "MIDI Mapper" is heard on the sink's monitor.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/builtin_synth.h"
#include "platform/scoped_env.h"
#include "platform/system_midi.h"
#include "support/child_process.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

constexpr int kServerStartMs = 15000;
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* kSink = "slidora_test";

// A PulseAudio daemon with a null sink, its socket and files in a folder of
// the test's own, ended with the test (or with its process).
class PulseNullSink {
 public:
  PulseNullSink()
      : m_Server("PULSE_SERVER", "unix:" + m_Dir.File("native")),
        m_NoJack("JACK_DEFAULT_SERVER", "slidora-test-none-" + std::to_string(getpid())),
        m_NoJackStart("JACK_NO_START_SERVER", "1"),
        m_Daemon({"env", "HOME=" + m_Dir.path(), "XDG_RUNTIME_DIR=" + m_Dir.path(),
                  "PULSE_RUNTIME_PATH=" + m_Dir.path(), "PULSE_STATE_PATH=" + m_Dir.path(), "pulseaudio",
                  "--daemonize=no", "-n", "--exit-idle-time=-1", "--use-pid-file=no",
                  std::string("--load=module-null-sink rate=48000 sink_name=") + kSink,
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_Dir.File("native")}) {}
  ~PulseNullSink() { m_Daemon.Stop(); }

  // Waits, within a bound, until the server answers.
  bool Up() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kServerStartMs);
    while (m_Daemon.started() && !m_Daemon.Exited()) {
      if (RunCommand("pactl info >/dev/null 2>&1").status == 0) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  TempDir m_Dir;
  ScopedEnv m_Server;
  ScopedEnv m_NoJack;
  ScopedEnv m_NoJackStart;
  ChildProcess m_Daemon;
};

// The loudest sample on the sink's monitor over a second (16-bit).
int MonitorPeak() {
  return std::atoi(RunCommand(std::string("timeout 1 parec --raw --format=s16le --channels=1 -d ") + kSink +
                              ".monitor 2>/dev/null | /usr/bin/python3 -c \"import sys, array; "
                              "a = array.array('h', sys.stdin.buffer.read()); print(max(map(abs, a), default=0))\"")
                       .out.c_str());
}

TEST(PulseAudioTest, TheMapperPlaysIntoTheSoundServer) {
  if (RunCommand("command -v pulseaudio parec >/dev/null").status != 0) GTEST_SKIP() << "no pulseaudio here";
  PulseNullSink server;
  if (!server.Up()) GTEST_SKIP() << "pulseaudio cannot run here";
  TempDir dir;
  dir.Write("SLD.ini", std::string("[Synth]\nSoundFont=") + kSoundFont + "\n");
  SystemMidiOut out(dir.File("SLD.ini"));
  ASSERT_EQ(out.Open(-1), MMSYSERR_NOERROR);
  ASSERT_TRUE(out.synth());
  EXPECT_EQ(out.synth()->audio_driver(), "pulseaudio");
  EXPECT_GE(out.synth()->audio_underruns(), 0);
  out.synth()->WaitForSoundFont();
  EXPECT_LT(MonitorPeak(), 30);  // nothing played yet: silence (no hiss, no stray note)
  out.ShortMsg(0x7F4390);        // note 67, held
  EXPECT_GT(MonitorPeak(), 1000);
  out.ShortMsg(0x7F4380);
  out.Close();
  EXPECT_EQ(RunCommand("pactl list short sink-inputs").out, "");
}

}  // namespace
