// A MIDI file dropped on the playing page plays to the port with its own
// timing; Escape stops it like a song, and the neck's set-up comes back.
#include "app/take_playback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "app/midi_file.h"
#include "app/takes.h"
#include "midi/take_buffer.h"
#include "model/instrument.h"
#include "perform/play_fixture.h"
#include "song/autoplay_view.h"

namespace {

uint32_t Msg(int status, int d1, int d2) {
  return static_cast<uint32_t>(status) | static_cast<uint32_t>(d1) << 8 | static_cast<uint32_t>(d2) << 16;
}

std::vector<uint32_t> SetUpNow() {
  std::vector<uint32_t> burst;
  g_TakeBuffer.state().Emit([&](uint32_t p) { burst.push_back(p); });
  return burst;
}

class TakePlaybackTest : public PlayTest {
 protected:
  // Writes the messages as a file at tempo 92 and 480 ticks a quarter, so
  // that their times fall between the file's ticks.
  static void WriteFile(const std::string& name, const std::vector<TimedShortMsg>& messages) {
    ASSERT_EQ(WriteMidiFile(name, messages, 92), 0);
  }
  // The messages the port received since the mark, with their times.
  std::vector<HeadlessEvent> Received() {
    std::vector<HeadlessEvent> out;
    for (const HeadlessEvent& e : sys().TakeEvents()) {
      if (e.kind == HeadlessEvent::kMidi) out.push_back(e);
    }
    return out;
  }
};

TEST_F(TakePlaybackTest, TheFilesMessagesReachThePortAtTheirTimes) {
  HoverCell(0, 0, 5);
  const std::vector<TimedShortMsg> file = {
      {0, Msg(0xC0, 80, 0)},       {0, Msg(0x90, 60, 100)},      {250, Msg(0xE0, 0, 70)},
      {1003, Msg(0x80, 60, 127)},  {1500, Msg(0x93, 64, 90)},    {2000, Msg(0x93, 64, 0)},
      {4321, Msg(0xB3, 7, 100)}};
  WriteFile("take.mid", file);
  const std::vector<uint32_t> before = SetUpNow();
  sys().TakeEvents();
  const int64_t drop = sys().NowMs();
  sys().Drop("take.mid");
  EXPECT_EQ(g_bAutoPlay, 1);
  EXPECT_FALSE(IsDropAccepted());
  sys().Wait(5000);
  EXPECT_EQ(g_bAutoPlay, 0);
  EXPECT_TRUE(IsDropAccepted());

  const std::vector<HeadlessEvent> got = Received();
  ASSERT_GT(got.size(), file.size() + 1);
  EXPECT_EQ(got[0].packed, static_cast<uint32_t>(0xFA));  // MIDI Start, as a song
  EXPECT_EQ(got[0].time_ms, drop);
  for (size_t i = 0; i < file.size(); ++i) {
    EXPECT_EQ(got[i + 1].packed, file[i].packed) << "message " << i;
    EXPECT_LE(std::abs(static_cast<double>(got[i + 1].time_ms - drop) - file[i].time_ms), 1.0) << "message " << i;
  }
  // Ended by itself: no MIDI Stop, and the channels have their set-up back.
  for (const HeadlessEvent& e : got) EXPECT_NE(e.packed, 0xFCu);
  EXPECT_EQ(SetUpNow(), before);

  // The neck plays as before, with its own voices loaded again.
  Press(1);
  const std::vector<std::string> live = Sent();
  ASSERT_FALSE(live.empty());
  EXPECT_EQ(live[0], "b0 00 00");  // the neck's voice set-up comes first
  Release(1);
}

TEST_F(TakePlaybackTest, EscapeStopsItWithMidiStopAndNoNoteLeftSounding) {
  HoverCell(0, 0, 5);
  WriteFile("long.mid", {{0, Msg(0xC2, 19, 0)}, {0, Msg(0x92, 48, 100)}, {10, Msg(0x92, 55, 100)},
                         {100, Msg(0xB2, 64, 127)},  // the sustain pedal held down
                         {9000, Msg(0x82, 48, 0)}, {9000, Msg(0x82, 55, 0)}});
  const std::vector<uint32_t> before = SetUpNow();
  sys().TakeEvents();
  sys().Drop("long.mid");
  sys().Wait(1000);
  // Live input is locked out, Ctrl+S is not.
  Press(1);
  sys().KeyDown(17);
  sys().KeyDown('S');
  sys().KeyUp('S');
  sys().KeyUp(17);
  EXPECT_EQ(LastTakeHint().substr(0, 12), " Take saved:");
  sys().KeyDown(27);
  sys().KeyUp(27);
  EXPECT_EQ(g_bAutoPlay, 0);

  const std::vector<HeadlessEvent> got = Received();
  int sounding = 0;
  bool stopped = false;
  for (const HeadlessEvent& e : got) {
    const uint32_t kind = e.packed & 0xF0;
    if (e.packed == 0xFC) stopped = true;
    if (kind == 0x90 && (e.packed >> 16) != 0) ++sounding;
    if (kind == 0x80 || (kind == 0x90 && (e.packed >> 16) == 0)) --sounding;
  }
  EXPECT_TRUE(stopped);
  EXPECT_EQ(sounding, 0) << "a note keeps sounding";
  EXPECT_EQ(SetUpNow(), before) << "the pedal, the program and the rest are the neck's again";
  sys().Wait(10000);
  EXPECT_TRUE(Received().empty()) << "the file goes on after Escape";
}

TEST_F(TakePlaybackTest, AFileThatIsNoMidiFileIsToldAndNothingPlays) {
  std::ofstream("bad.mid") << "01=60\n";
  sys().Drop("bad.mid");
  const std::vector<std::string> got = Timed();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "0 box 16 \"Slidora : Quenlo\"|\"The MIDI file could not be played: not a Standard MIDI File.\\n\\\"bad.mid\\\"  \"");
  EXPECT_EQ(g_bAutoPlay, 0);
  EXPECT_TRUE(IsDropAccepted());
}

TEST_F(TakePlaybackTest, OnlyThePlayingPageTakesADroppedFile) {
  WriteFile("take.mid", {{0, Msg(0x90, 60, 100)}, {10, Msg(0x80, 60, 0)}});
  sys().Button(WM_LBUTTONDOWN, {480, 37});  // the MIDI page
  sys().Button(WM_LBUTTONUP, {480, 37});
  sys().TakeEvents();
  sys().Drop("take.mid");
  sys().Wait(100);
  EXPECT_TRUE(Timed().empty());
}

}  // namespace
