// The Win32 backend's files, plain file reading, the single-instance mutex,
// pictures, the multimedia MIDI output and the multimedia timers, as Windows
// (here Wine) runs them. The timer tests wait on the real clock, each wait
// bounded.
#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/instance_lock.h"
#include "platform/pictures.h"
#include "platform/plain_file.h"
#include "platform/win32_midi.h"
#include "platform/win32_timers.h"
#include "platform/working_dir.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

int FilesIn(const std::string& dir) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(dir)) n += e.is_regular_file() ? 1 : 0;
  return n;
}

TEST(Win32Files, SaveReplacesTheWholeFileAndClearsOnlyItsOwnLeftovers) {
  TempDir dir;
  const std::string ini = dir.File("SLD.ini");
  dir.Write("SLD.ini", "old text that is longer than the new one\r\n");
  dir.Write("SLD.ini.save-a1B2c3", "left by a killed save");
  dir.Write("SLD.ini.save-short", "not one of ours: 5 letters");
  dir.Write("Other.ini.save-a1B2c3", "another file's");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(ini, "[MIDI]\nDevice=-1\n", &error)) << error;
  EXPECT_EQ(dir.Read("SLD.ini"), "[MIDI]\nDevice=-1\n");
  EXPECT_FALSE(fs::exists(dir.File("SLD.ini.save-a1B2c3")));
  EXPECT_TRUE(fs::exists(dir.File("SLD.ini.save-short")));
  EXPECT_TRUE(fs::exists(dir.File("Other.ini.save-a1B2c3")));
  EXPECT_EQ(FilesIn(dir.path()), 3);
}

TEST(Win32Files, FailedSavesSayWhyAndLeaveNothingBehind) {
  TempDir dir;
  std::string error;
  fs::create_directory(dir.File("SLD.ini"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("SLD.ini"), "x", &error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing\\SLD.ini"), "x", &error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_EQ(FilesIn(dir.path()), 0);
}

TEST(Win32Files, PlainFilesAreReadByteForByteUpToTheLimitAndNothingElseIsRead) {
  TempDir dir;
  dir.Write("song.txt", "01=120\r\n02=3\r\n");
  char buffer[64] = {};
  EXPECT_EQ(ReadPlainFile(dir.File("song.txt").c_str(), buffer, sizeof buffer), 14);
  EXPECT_EQ(std::string(buffer, 14), "01=120\r\n02=3\r\n");
  EXPECT_EQ(ReadPlainFile(dir.File("song.txt").c_str(), buffer, 5), 5);
  EXPECT_EQ(ReadPlainFile(dir.path().c_str(), buffer, sizeof buffer), -1);
  EXPECT_EQ(ReadPlainFile("NUL", buffer, sizeof buffer), -1);
  EXPECT_EQ(ReadPlainFile(dir.File("none.txt").c_str(), buffer, sizeof buffer), -1);
}

TEST(Win32Files, FilesInTheWorkingFolderHaveItsFullPath) {
  const fs::path old = fs::current_path();
  TempDir dir;
  fs::current_path(dir.path());
  const std::string full = fs::current_path().string();
  const std::string ini = WorkingDirectoryPath("SLD.ini");
  fs::current_path(old);
  EXPECT_EQ(ini, full + "\\SLD.ini");
}

TEST(Win32Files, StandardStreamsWriteNoCarriageReturns) {
  // The mode set before main; setting it again returns the one it had.
  EXPECT_EQ(_setmode(_fileno(stdout), _O_BINARY), _O_BINARY);
  EXPECT_EQ(_setmode(_fileno(stderr), _O_BINARY), _O_BINARY);
}

TEST(Win32InstanceLock, ASecondStartOfTheSameFolderIsRefusedUntilTheFirstEnds) {
  TempDir dir, other;
  InstanceLock first, second, elsewhere;
  EXPECT_TRUE(first.Acquire("Slidora", dir.path()));
  EXPECT_FALSE(second.Acquire("Slidora", dir.path()));
  EXPECT_TRUE(elsewhere.Acquire("Slidora", other.path()));
  first.Release();
  EXPECT_TRUE(second.Acquire("Slidora", dir.path()));
}

TEST(Win32Pictures, WrittenPicturesReadBackPixelForPixel) {
  TempDir dir;
  Picture p(5, 3);  // odd width: every row is padded to four bytes
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) p.At(x, y) = Rgb(40 * x + 1, 90 * y + 2, 255 - 7 * x * y);
  ASSERT_TRUE(WriteBmp(dir.File("p.bmp"), p));
  const Picture q = ReadBmp(dir.File("p.bmp"));
  ASSERT_EQ(q.width(), 5);
  ASSERT_EQ(q.height(), 3);
  EXPECT_EQ(q.pixels(), p.pixels());
  EXPECT_TRUE(ReadBmp(dir.File("none.bmp")).empty());
  EXPECT_FALSE(WriteBmp(dir.File("empty.bmp"), Picture()));
}

TEST(Win32Midi, DevicesOutsideTheListAreRefusedAndNothingOpenIsHarmless) {
  WinMmMidiOut midi;
  const int n = midi.GetNumDevs();
  ASSERT_GE(n, 0);
  MidiOutCaps caps{};
  EXPECT_EQ(midi.GetDevCaps(-2, &caps), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(midi.GetDevCaps(n, &caps), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(midi.GetDevCaps(0, nullptr), MMSYSERR_BADDEVICEID);
  EXPECT_NE(midi.Open(n), MMSYSERR_NOERROR);
  midi.ShortMsg(0x007F3C90);
  midi.Reset();
  midi.Close();
}

// Waits up to 5 s for count to reach n.
bool WaitForCount(const std::atomic<int>& count, int n) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (count.load() < n && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return count.load() >= n;
}

std::atomic<int> g_ticks{0};
std::atomic<int> g_self_kills{0};
WinMmTimers* g_timers = nullptr;

TEST(Win32Timers, PeriodicTimersTickUntilKilledAndOneShotsFireOnce) {
  WinMmTimers timers;
  TimeCaps caps{};
  ASSERT_EQ(timers.GetDevCaps(&caps), 0);
  EXPECT_LE(caps.wPeriodMin, 1u);
  ASSERT_EQ(timers.BeginPeriod(1), 0);
  g_ticks = 0;
  const uint32_t tick = timers.SetEvent(5, 1, [](uint32_t, uintptr_t user) { g_ticks += static_cast<int>(user); }, 1, true);
  ASSERT_NE(tick, 0u);
  EXPECT_TRUE(WaitForCount(g_ticks, 5));
  EXPECT_EQ(timers.KillEvent(tick), 0);
  const int after_kill = g_ticks.load();
  timers.Sleep(30);
  EXPECT_EQ(g_ticks.load(), after_kill) << "no callback after KillEvent returned";
  EXPECT_NE(timers.KillEvent(tick), 0);

  g_ticks = 0;
  const uint32_t once = timers.SetEvent(2, 1, [](uint32_t, uintptr_t) { ++g_ticks; }, 0, false);
  ASSERT_NE(once, 0u);
  EXPECT_TRUE(WaitForCount(g_ticks, 1));
  timers.Sleep(20);
  EXPECT_EQ(g_ticks.load(), 1);
  EXPECT_EQ(timers.EndPeriod(1), 0);
}

TEST(Win32Timers, ACallbackMayStopItsOwnTimerAndBadRequestsAreRefused) {
  WinMmTimers timers;
  g_timers = &timers;
  g_self_kills = 0;
  const uint32_t id = timers.SetEvent(
      2, 1, [](uint32_t self, uintptr_t) { g_self_kills += g_timers->KillEvent(self) == 0 ? 1 : 100; }, 0, true);
  ASSERT_NE(id, 0u);
  EXPECT_TRUE(WaitForCount(g_self_kills, 1));
  timers.Sleep(20);
  EXPECT_EQ(g_self_kills.load(), 1);
  EXPECT_EQ(timers.SetEvent(0, 1, [](uint32_t, uintptr_t) {}, 0, true), 0u);
  EXPECT_EQ(timers.SetEvent(5, 1, nullptr, 0, true), 0u);
  EXPECT_NE(timers.KillEvent(12345), 0);
  const int64_t before = timers.NowMs();
  timers.Sleep(15);
  EXPECT_GE(timers.NowMs() - before, 15);
  g_timers = nullptr;
}

TEST(Win32Timers, DestroyingTheServiceStopsItsTimers) {
  g_ticks = 0;
  {
    WinMmTimers timers;
    ASSERT_NE(timers.SetEvent(1, 1, [](uint32_t, uintptr_t) { ++g_ticks; }, 0, true), 0u);
    EXPECT_TRUE(WaitForCount(g_ticks, 2));
  }
  const int at_end = g_ticks.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(g_ticks.load(), at_end);
}

}  // namespace
