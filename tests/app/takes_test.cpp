// Takes: Ctrl+S keeps what was played as a MIDI file, once; the exit keeps a
// take never saved; a folder that cannot be written loses nothing.
#include "app/takes.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/midi_file_read.h"
#include "midi/take_buffer.h"
#include "model/instrument.h"
#include "perform/play_fixture.h"
#include "support/in_child.h"
#include "support/pitch_song.h"
#include "ui/colours.h"

namespace {

constexpr int kVkControl = 17;
constexpr std::time_t kSavedAt = 1796684712;  // the clock that names the files

std::time_t FixedClock() { return kSavedAt; }

std::vector<std::string> TakeFiles() {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(kTakesFolder, ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

int NotesIn(const std::string& name) {
  std::vector<TimedShortMsg> messages;
  std::string error;
  if (ReadMidiFile(std::string(kTakesFolder) + "/" + name, &messages, &error) != 0) return -1;
  return static_cast<int>(std::count_if(messages.begin(), messages.end(), [](const TimedShortMsg& m) {
    return (m.packed & 0xF0) == 0x90 && (m.packed >> 16) != 0;
  }));
}

class TakesTest : public PlayTest {
 protected:
  void SetUp() override {
    SetTakeClock(FixedClock);
    PlayTest::SetUp();
  }
  void TearDown() override {
    PlayTest::TearDown();
    SetTakeClock(nullptr);
  }

  // A note on string 1 at fret 5, held for ms.
  void PlayNote(int64_t ms) {
    HoverCell(0, 0, 5);
    Press(1);
    sys().Wait(ms);
    Release(1);
  }
  void CtrlS() {
    sys().KeyDown(kVkControl);
    sys().KeyDown('S');
    sys().KeyUp('S');
    sys().KeyUp(kVkControl);
  }
  bool HintLineHas(Pixel colour) {
    const Picture& screen = sys().view().canvas().picture();
    for (int x = 10; x < 400; ++x) {
      for (int y = 680; y < 696; ++y) {
        if (screen.At(x, y) == colour) return true;
      }
    }
    return false;
  }
};

TEST_F(TakesTest, CtrlSSavesOnceAndTheHintLineSaysWhat) {
  PlayNote(500);
  const std::vector<std::string> before = Timed();
  CtrlS();
  EXPECT_TRUE(Timed().empty()) << "Ctrl+S sends nothing";
  ASSERT_EQ(TakeFiles().size(), 1u);
  const std::string name = TakeFiles()[0];
  EXPECT_EQ(LastTakeHint(), " Take saved: Takes/" + name + "  (0:00.5) ");
  EXPECT_TRUE(HintLineHas(kCream));
  EXPECT_EQ(NotesIn(name), 2);  // a string sounds on the two channels of its pair

  // Nothing played since: nothing written, and the line says so.
  CtrlS();
  EXPECT_EQ(TakeFiles(), std::vector<std::string>{name});
  EXPECT_EQ(LastTakeHint(), " Nothing played since the last take: nothing saved ");

  // The next take holds only what came after the first; in the same second
  // it gets a number.
  PlayNote(1200);
  PlayNote(300);
  CtrlS();
  const std::string second = name.substr(0, name.size() - 4) + "_2.mid";
  EXPECT_EQ(TakeFiles(), (std::vector<std::string>{name, second}));
  EXPECT_EQ(NotesIn(second), 4);
  EXPECT_EQ(LastTakeHint(), " Take saved: Takes/" + second + "  (0:01.5) ");
}

TEST_F(TakesTest, CtrlSDuringASongSavesWithoutTouchingTheSong) {
  // The same song twice, once with Ctrl+S pressed (and held) while it plays:
  // the program sends the same either way.
  std::vector<std::string> runs[2];
  for (int run = 0; run < 2; ++run) {
    std::ofstream("song.txt") << PitchSong();
    Mark();
    sys().Drop("song.txt");
    ASSERT_EQ(g_bAutoPlay, 1);
    sys().Wait(600);
    if (run == 1) {
      sys().KeyDown(kVkControl);
      sys().KeyDown('S');
      EXPECT_EQ(LastTakeHint().substr(0, 18), " Take saved: Takes");
    }
    sys().Wait(8400);
    if (run == 1) {
      sys().KeyUp('S');
      sys().KeyUp(kVkControl);
    }
    EXPECT_EQ(g_bAutoPlay, 0);
    runs[run] = Timed();
  }
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_EQ(TakeFiles().size(), 1u);
}

TEST_F(TakesTest, TheExitKeepsATakeNeverSaved) {
  PlayNote(250);
  EXPECT_TRUE(TakeFiles().empty());
  EXPECT_EQ(sys().Close(), 0);
  ASSERT_EQ(TakeFiles().size(), 1u);
  EXPECT_EQ(NotesIn(TakeFiles()[0]), 2);
}

TEST_F(TakesTest, AnExitWithNothingNewWritesNothing) {
  PlayNote(250);
  CtrlS();
  EXPECT_EQ(sys().Close(), 0);
  EXPECT_EQ(TakeFiles().size(), 1u);
}

TEST_F(TakesTest, AnExitWithNothingPlayedMakesNoFolder) {
  HoverCell(0, 2, 3);
  EXPECT_EQ(sys().Close(), 0);
  EXPECT_FALSE(std::filesystem::exists(kTakesFolder));
}

TEST_F(TakesTest, AFolderThatCannotBeWrittenLosesNothing) {
  PlayNote(400);
  const std::string here = std::filesystem::current_path().string();
  std::filesystem::create_directory(kTakesFolder);
  chmod(here.c_str(), 0755);
  chmod(kTakesFolder, 0555);
  // A user who may not write into the folder: nothing is left there, and the
  // hint line says why.
  const std::string report = RunInChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return std::string("no user");
    CtrlS();
    std::string lines = LastTakeHint() + "\n";
    for (const std::string& f : TakeFiles()) lines += f + "\n";
    return lines;
  });
  EXPECT_EQ(report.rfind(" Take NOT saved: Takes/", 0), 0u) << report;
  EXPECT_NE(report.find(".mid: Permission denied \n"), std::string::npos) << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << "a file was left: " << report;
  chmod(kTakesFolder, 0755);

  // A full disk (a file-size limit), then room again: the first save fails
  // and leaves nothing, the second writes the whole take.
  EXPECT_EQ(RunInChild([&] {
              signal(SIGXFSZ, SIG_IGN);
              rlimit limit{100, RLIM_INFINITY};
              setrlimit(RLIMIT_FSIZE, &limit);
              CtrlS();
              std::string report = LastTakeHint().substr(LastTakeHint().find(".mid")) + "\n";
              for (const std::string& f : TakeFiles()) report += f + "\n";
              limit.rlim_cur = RLIM_INFINITY;
              setrlimit(RLIMIT_FSIZE, &limit);
              CtrlS();
              report += LastTakeHint().substr(0, 13) + "\n";
              for (const std::string& f : TakeFiles()) report += std::to_string(NotesIn(f)) + " note\n";
              return report;
            }),
            ".mid: File too large \n Take saved: \n2 note\n");
}

TEST_F(TakesTest, TheBufferKeepsTheLastHourOfALongSession) {
  // A note every 20 s for 65 minutes of virtual time.
  const int64_t notes = 65 * 3;
  for (int64_t i = 0; i < notes; ++i) {
    PlayNote(100);
    sys().Wait(20000 - 100 - kDeliveryMs);
  }
  EXPECT_LT(g_TakeBuffer.size(), 20000u) << "memory grows with the session";
  CtrlS();
  ASSERT_EQ(TakeFiles().size(), 1u);
  const int kept = NotesIn(TakeFiles()[0]);
  EXPECT_GE(kept, 2 * 180);  // the last hour
  EXPECT_LE(kept, 2 * 181);
}

}  // namespace
