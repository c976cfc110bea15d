// Songs played through the whole system on the virtual clock: MIDI Start and
// Stop, what a song sends, what it leaves behind, and how songs start.
#include "song/autoplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

#include "midi/midi_codes.h"
#include "perform/play_state.h"
#include "platform/profile.h"
#include "song/autoplay_fixture.h"
#include "song/autoplay_view.h"
#include "song/song_state.h"
#include "ui/texts.h"
#include "ui/view.h"

namespace {

struct Line {
  int64_t t;
  std::string msg;  // "XX YY ZZ"
};

std::vector<Line> Split(const std::vector<std::string>& timed) {
  std::vector<Line> out;
  for (const std::string& s : timed) {
    const size_t sp = s.find(' ');
    out.push_back({std::stoll(s.substr(0, sp)), s.substr(sp + 1)});
  }
  return out;
}

int64_t FirstTime(const std::vector<Line>& lines, const std::string& prefix) {
  for (const Line& l : lines)
    if (l.msg.rfind(prefix, 0) == 0) return l.t;
  return -1;
}

int CountOf(const std::vector<Line>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const Line& l) {
    return l.msg.rfind(prefix, 0) == 0;
  }));
}

const std::vector<int> kMelodic = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15};

// For each channel (all but the rhythm channel 9 unless given), each format in
// turn with "%x" standing for the channel.
std::vector<std::string> PerChannel(const std::vector<std::string>& formats,
                                    const std::vector<int>& channels = kMelodic) {
  std::vector<std::string> out;
  char m[16];
  for (int ch : channels) {
    for (const std::string& f : formats) {
      std::snprintf(m, sizeof m, f.c_str(), ch);
      out.push_back(m);
    }
  }
  return out;
}

// Carries out the song events of table up to index as the song step does.
void CarryOut(const std::vector<SongEvent>& table, LPARAM index) {
  std::copy(table.begin(), table.end(), g_SongEvent);
  g_bAutoPlay = 1;
  g_SongHandledIndex = 0;
  OnSongEvents(kSongStepEvents, index);
  g_bAutoPlay = 0;
}

// Notes still sounding after a list of messages: note-on minus note-off per
// channel and note (a note-on at velocity 0 is a note-off).
std::map<std::pair<int, int>, int> Hanging(const std::vector<HeadlessEvent>& events) {
  std::map<std::pair<int, int>, int> open;
  for (const HeadlessEvent& e : events) {
    if (e.kind != HeadlessEvent::kMidi) continue;
    const int status = e.packed & 0xFF, note = (e.packed >> 8) & 0x7F, vel = (e.packed >> 16) & 0x7F;
    const int kind = status & 0xF0, ch = status & 0x0F;
    if (kind == 0x90 && vel > 0) ++open[{ch, note}];
    if (kind == 0x80 || (kind == 0x90 && vel == 0)) {
      if (open[{ch, note}] > 0) --open[{ch, note}];
    }
  }
  for (auto it = open.begin(); it != open.end();) it = it->second == 0 ? open.erase(it) : std::next(it);
  return open;
}

// Two presses at song time 0 (posted by the first tick), a key at 300 ms.
constexpr const char* kStartScore = "b=1,5,k=1,t=15,k=2,t=15,k=off";

TEST_F(AutoPlayTest, MidiStartGoesOutAtItsDelay) {
  struct Case {
    int delay;
    int64_t minFirstNote, maxFirstNote;  // from the drop
    int64_t startAfterFirstNote;         // MIDI Start time minus the first tick's time; -1: at the drop
  };
  const Case cases[] = {
      {-200, 201, 205, -1},  // Start at once, the song 200 ms later
      {0, 1, 5, -1},         // Start at once, before the first tick
      {3, 1, 5, 5},          // the second tick, clock 5
      {300, 1, 5, 300},      // the 61st tick, clock 300
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delay);
    Drop(kStartScore, {.delay = c.delay});
    PlayToEnd();
    const std::vector<Line> lines = Split(Timed());
    const int64_t firstNote = FirstTime(lines, "90");
    EXPECT_GE(firstNote, c.minFirstNote);
    EXPECT_LE(firstNote, c.maxFirstNote);
    EXPECT_EQ(CountOf(lines, "fa 00 00"), 1);
    const int64_t start = FirstTime(lines, "fa");
    if (c.startAfterFirstNote < 0) {
      EXPECT_EQ(start, 0);
    } else {
      EXPECT_EQ(start, firstNote + c.startAfterFirstNote);
    }
    // Start comes before anything else of its tick: nothing between the
    // previous message's time and the Start shares the Start's time.
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].msg.rfind("fa", 0) == 0 && c.delay > 0) {
        ASSERT_GT(i, 0u);
        EXPECT_LT(lines[i - 1].t, lines[i].t);
      }
    }
    EXPECT_EQ(CountOf(lines, "fc"), 0);
  }
}

// The upper neck's live set-up (its neck, tuning and vibrato values), to
// compare after a song.
std::vector<std::string> LiveSetup() {
  std::vector<std::string> s = {g_Tuning[0].Name};
  const auto add = [&s](const void* p, size_t size) {
    for (size_t i = 0; i < size / 4; ++i) s.push_back(std::to_string(static_cast<const int32_t*>(p)[i]));
  };
  add(&g_Neck[0], sizeof(NeckInfo));  // idle: no bend, no sounding note
  add(g_Tuning[0].Pedal, sizeof g_Tuning[0].Pedal);
  add(&g_Vibrato[g_Neck[0].Voice0No], sizeof(VibratoInfo));
  add(&g_Vibrato[g_Neck[0].Voice1No], sizeof(VibratoInfo));
  for (const std::string& n : g_Tuning[0].NoteName[0]) s.push_back(n);
  return s;
}

TEST_F(AutoPlayTest, EscapeOrTheEndReleasesEverythingAndRestoresTheNeck) {
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "end");
    const std::vector<std::string> before = LiveSetup();
    Drop("b=1,5,v=90,p1=on,p2=on,k=3,depth1=20,t=48,k=0,t=48,k=off", {.shift = 3});
    sys().Wait(1500);
    ASSERT_EQ(g_bAutoPlay, 1);
    EXPECT_EQ(g_Neck[0].MidiShift, 3);
    EXPECT_EQ(g_Pedal1, 1);
    EXPECT_FALSE(IsDropAccepted());
    const int64_t escapeAt = sys().NowMs();
    if (escape) sys().KeyDown(VK_ESCAPE);
    PlayToEnd();
    ASSERT_EQ(g_bAutoPlay, 0);
    const std::vector<HeadlessEvent> events = sys().TakeEvents();
    int stops = 0;
    int64_t stopAt = -1;
    for (const HeadlessEvent& e : events) {
      if (e.kind == HeadlessEvent::kMidi && e.packed == 0xFC) {
        ++stops;
        stopAt = e.time_ms;
      }
    }
    EXPECT_EQ(stops, escape ? 1 : 0);
    if (escape) {
      EXPECT_GE(stopAt, escapeAt);
      EXPECT_LE(stopAt, escapeAt + 5);
    }
    EXPECT_TRUE(Hanging(events).empty());
    EXPECT_EQ(g_Pedal1, 0);
    EXPECT_EQ(g_Pedal2, 0);
    EXPECT_EQ(g_SoundNeck, -1);
    EXPECT_EQ(g_Capture, -1);
    EXPECT_EQ(g_bKeyHeld, 0);
    EXPECT_EQ(LiveSetup(), before);
    // The live voices are on the channels again, and drops are welcome.
    bool liveVoice = false;
    for (const HeadlessEvent& e : events) {
      if (e.kind == HeadlessEvent::kMidi &&
          e.packed == static_cast<uint32_t>(0xC0 | g_Neck[0].Voice0No << 8))
        liveVoice = true;
    }
    EXPECT_TRUE(liveVoice);
    EXPECT_TRUE(IsDropAccepted());
  }
}

TEST_F(AutoPlayTest, ClosingTheWindowDuringASongStopsItAndSavesTheLiveSetUp) {
  Drop("b=1,5,p1=on,k=3,t=96,k=off", {.voice0 = 40, .shift = 3});
  sys().Wait(500);
  ASSERT_EQ(g_bAutoPlay, 1);
  ASSERT_EQ(g_Tuning[0].Name, "E9");
  sys().Close();
  const std::vector<HeadlessEvent> events = sys().TakeEvents();
  EXPECT_TRUE(Hanging(events).empty());
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const HeadlessEvent& e) { return e.kind == HeadlessEvent::kMidi && e.packed == 0xFC; }),
            1);
  const ProfileFile ini("SLD.ini");
  EXPECT_EQ(ini.GetString("Tuning", "(0)Name", ""), "C6");
  EXPECT_EQ(ini.GetString("Tuning", "(0)Note(0)", ""), "G");
  EXPECT_EQ(ini.GetInt("Tuning", "(0)Pedal(0)(0)", -9), 0);
  EXPECT_EQ(ini.GetInt("NeckInfo", "UpperVoice0No", -1), 26);
  EXPECT_EQ(ini.GetInt("NeckInfo", "UpperMidiShift", -1), 0);
}

TEST_F(AutoPlayTest, SongEffectsWhilePlayingAndTheLiveOnesAfter) {
  Drop("b=1,5,k=1,t=24,k=off");  // reverb 100, chorus 20
  PlayToEnd();
  const std::vector<Line> lines = Split(Timed());
  std::vector<std::string> effects;
  for (const Line& l : lines) {
    if (l.msg[0] == 'b' && (l.msg.substr(3, 2) == "5b" || l.msg.substr(3, 2) == "5d"))
      effects.push_back(l.msg);
  }
  std::vector<std::string> expected;
  int i = 0;
  for (int value : {100, 20, LevelToMidi(g_ReverbTime), LevelToMidi(g_ChorusLevel)}) {
    char format[16];
    std::snprintf(format, sizeof format, "b%%x %s %02x", i++ % 2 ? "5d" : "5b", value);
    for (const std::string& m : PerChannel({format})) expected.push_back(m);
  }
  EXPECT_EQ(effects, expected);
  // The song's effects are in place before MIDI Start.
  EXPECT_EQ(FirstTime(lines, "fa"), 0);
}

TEST_F(AutoPlayTest, EventsOfOneTimeAreCarriedOutByOneMessage) {
  struct Case {
    const char* name;
    std::vector<SongEvent> table;
    LPARAM index;       // the message's last event
    int handledAfter;   // g_SongHandledIndex afterwards
    int velocityAfter;  // the velocity events leave their value behind
  };
  const Case cases[] = {
      {"two at 0 ms", {{0, EventVelocity, 10}, {0, EventVelocity, 20}, {500, EventVelocity, 30}, {500, EventEnd, 0}}, 1, 2, 20},
      {"one at 0 ms goes with the next batch", {{0, EventVelocity, 10}, {500, EventVelocity, 30}, {1000, EventEnd, 0}}, 1, 2, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CarryOut(c.table, c.index);
    EXPECT_EQ(g_SongHandledIndex, c.handledAfter);
    EXPECT_EQ(g_AutoVelocity, c.velocityAfter);
  }
}

TEST_F(AutoPlayTest, AScoreOfWaitsOnlyEndsByItselfAndRestoresTheSetUp) {
  const std::vector<std::string> before = LiveSetup();
  Drop("t=96,t=24");  // 2500 ms at tempo 120
  EXPECT_EQ(g_bAutoPlay, 1);
  sys().Wait(2500);
  EXPECT_EQ(g_bAutoPlay, 1);
  sys().Wait(10);
  EXPECT_EQ(g_bAutoPlay, 0);
  EXPECT_EQ(LiveSetup(), before);
  EXPECT_EQ(CountOf(Split(Timed()), "fc"), 0);
}

TEST_F(AutoPlayTest, SlideBendsOnlyTheSoundingStringsAndMovesTheBar) {
  // Default C6 upper neck: strings 1 and 3 are on pairs 0 and 4.
  g_bAutoPlay = 1;
  g_PlayNeck = 0;
  g_PlayString = 1;
  g_BarFret = 5;
  for (int i = 0; i < kStringCount; ++i) g_Neck[0].SoundingNote[i] = -1;
  g_Neck[0].SoundingNote[1] = 64;
  g_Neck[0].SoundingNote[3] = 60;
  Sent();
  CarryOut({{0, EventSlide, 64}, {100, EventVelocity, 1}, {100, EventEnd, 0}}, 0);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"e0 55 42", "e1 55 42", "e4 55 42", "e5 55 42"}));
  EXPECT_EQ(g_BarBend, 8533);
  EXPECT_EQ(g_BarX, 5 * 64 + 64 + 32);
  EXPECT_EQ(g_DrawnBarX, 5 * 64 + 64 + 32);
  for (int i = 0; i < kStringCount; ++i) g_Neck[0].SoundingNote[i] = -1;
}

TEST_F(AutoPlayTest, ExpressionAndVibratoReachTheirChannels) {
  struct Case {
    int type;
    std::vector<int> channels;
    std::vector<std::string> perChannel;  // "%x" replaced by the channel
  };
  const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15};
  const std::vector<int> even = {0, 2, 4, 6, 10, 12, 14}, odd = {1, 3, 5, 7, 11, 13, 15};
  const Case cases[] = {
      {EventExpression, all, {"b%x 0b 2a", "b%x 2b 00"}},
      {EventDepth1, even, {"b%x 63 01", "b%x 62 09", "b%x 06 2a"}},
      {EventRate1, even, {"b%x 63 01", "b%x 62 08", "b%x 06 2a"}},
      {EventDelay1, even, {"b%x 63 01", "b%x 62 0a", "b%x 06 2a"}},
      {EventDepth2, odd, {"b%x 63 01", "b%x 62 09", "b%x 06 2a"}},
      {EventRate2, odd, {"b%x 63 01", "b%x 62 08", "b%x 06 2a"}},
      {EventDelay2, odd, {"b%x 63 01", "b%x 62 0a", "b%x 06 2a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Sent();
    CarryOut({{0, c.type, 42}, {100, EventEnd, 0}}, 0);
    EXPECT_EQ(Sent(), PerChannel(c.perChannel, c.channels));
  }
}

// The first note-on of what was sent, as "90 NN VV".
std::string FirstNoteOn(const std::vector<std::string>& sent) {
  for (const std::string& s : sent)
    if (s.rfind("90", 0) == 0) return s;
  return "";
}

TEST_F(AutoPlayTest, LeftClickReplaysTheCompiledSongRightClickReadsTheFileAgain) {
  WriteSong("EditingSong.txt", SongText("b=1,5,k=1,t=24,k=off"));
  const Point playButton{160, 30};
  sys().Button(WM_LBUTTONDOWN, playButton);  // nothing read yet: only All Notes Off
  sys().Button(WM_LBUTTONUP, playButton);
  EXPECT_EQ(g_bAutoPlay, 0);
  sys().Button(WM_RBUTTONDOWN, playButton);
  sys().Button(WM_RBUTTONUP, playButton);
  ASSERT_EQ(g_bAutoPlay, 1);
  PlayToEnd();
  const std::string first = FirstNoteOn(Sent());
  ASSERT_FALSE(first.empty());

  WriteSong("EditingSong.txt", SongText("b=1,7,k=1,t=24,k=off"));
  OnPlayButtonLeftClick();
  ASSERT_EQ(g_bAutoPlay, 1);
  PlayToEnd();
  const std::vector<std::string> replay = Sent();
  ASSERT_GE(replay.size(), 15u);
  EXPECT_EQ(std::vector<std::string>(replay.begin(), replay.begin() + 15), PerChannel({"b%x 7b 00"}));
  EXPECT_EQ(FirstNoteOn(replay), first);

  OnPlayButtonRightClick();
  ASSERT_EQ(g_bAutoPlay, 1);
  PlayToEnd();
  const std::string reread = FirstNoteOn(Sent());
  const int note = std::stoi(first.substr(3, 2), nullptr, 16);
  EXPECT_EQ(std::stoi(reread.substr(3, 2), nullptr, 16), note + 2);
}

TEST_F(AutoPlayTest, OfThreeDroppedFilesOnlyTheFirstLoadsAndAFailedLoadLeavesNoSongReady) {
  const std::string a = WriteSong("a.txt", SongText("b=1,5,k=1,t=24,k=off"));
  const std::string b = WriteSong("b.txt", SongText("nonsense=1"));
  sys().Drop({a, b, "missing.mid"});
  EXPECT_EQ(g_bAutoPlay, 1);
  EXPECT_EQ(std::string(g_SongPath), a);
  PlayToEnd();
  for (const std::string& line : Sent()) EXPECT_EQ(line.find("box"), std::string::npos) << line;
  EXPECT_EQ(g_bSongReady, 1);

  sys().Drop(WriteSong("bad.txt", SongText("k=1")));  // a key before any bar
  EXPECT_EQ(g_bAutoPlay, 0);
  EXPECT_EQ(g_bSongReady, 0);
  EXPECT_TRUE(IsDropAccepted());
  OnPlayButtonLeftClick();
  EXPECT_EQ(g_bAutoPlay, 0);
}

TEST_F(AutoPlayTest, ADropOnAnotherPageOrDuringASongDoesNothing) {
  const std::string a = WriteSong("a.txt", SongText("b=1,5,k=1,t=48,k=off"));
  const std::string b = WriteSong("b.txt", SongText("b=1,7,k=1,t=48,k=off"));
  g_Page = 2;
  Sent();
  sys().Drop(a);
  EXPECT_EQ(g_bAutoPlay, 0);
  EXPECT_TRUE(Sent().empty());
  g_Page = 0;

  // During a song started by a drop, and during a replay: the window takes no
  // drop, and the song player refuses one all the same.
  sys().Drop(a);
  ASSERT_EQ(g_bAutoPlay, 1);
  for (int round = 0; round < 2; ++round) {
    sys().Wait(100);
    OnDropFiles({b});
    sys().Drop(b);
    EXPECT_EQ(std::string(g_SongPath), a);
    PlayToEnd();
    EXPECT_EQ(g_bAutoPlay, 0);
    OnPlayButtonLeftClick();
    ASSERT_EQ(g_bAutoPlay, 1);
  }
  PlayToEnd();
}

TEST_F(AutoPlayTest, AFailedReadOverThePlayButtonShowsAtOnceThatNoSongIsReady) {
  const Point play{160, 30};
  WriteSong("EditingSong.txt", SongText("b=1,5,k=1,t=24,k=off"));
  Hover(play);
  sys().Button(WM_RBUTTONDOWN, play);
  sys().Button(WM_RBUTTONUP, play);
  PlayToEnd();
  ASSERT_EQ(g_bSongReady, 1);

  WriteSong("EditingSong.txt", SongText("k=1"));  // a key before any bar
  Canvas& dc = sys().view().canvas();
  dc.RecordTexts(true);
  dc.texts().clear();
  sys().Button(WM_RBUTTONDOWN, play);
  sys().Button(WM_RBUTTONUP, play);
  ASSERT_EQ(g_bSongReady, 0);
  std::vector<std::string> hints;
  for (const DrawnText& t : dc.texts()) {
    if (t.x == 10 && t.y == 680) hints.push_back(t.text);
  }
  EXPECT_EQ(hints, std::vector<std::string>({kPlayHintNoSong}));
  dc.RecordTexts(false);
}

TEST_F(AutoPlayTest, ADroppedPathTooLongForTheSongPathIsRefusedNotCutToAnotherFile) {
  // A file whose path fills the song path exactly, and a longer name that
  // starts with that whole path.
  const std::string folder = std::filesystem::current_path().string() + "/";
  ASSERT_LT(folder.size(), 200u);
  const std::string fits = folder + std::string(260 - folder.size() - 4, 'a') + ".txt";
  WriteSong(fits, SongText("b=1,5,k=1,t=24,k=off"));
  const std::string longer = fits + "-copy.txt";
  WriteSong(longer, SongText("b=1,5,k=1,t=24,k=off"));
  sys().TakeEvents();
  sys().Drop(longer);
  EXPECT_EQ(g_bAutoPlay, 0);
  std::vector<std::string> boxes;
  for (const HeadlessEvent& e : sys().TakeEvents()) {
    if (e.kind == HeadlessEvent::kBox) boxes.push_back(e.text + " | " + e.caption);
  }
  EXPECT_EQ(boxes, std::vector<std::string>(
                       {"File could not be opened.\n\"" + longer + "\"   | Slidora : Quenlo"}));
}

TEST_F(AutoPlayTest, AfterASongALowerNeckPedalIsReleasedOnTheLowerNeck) {
  Drop("b=1,5,k=1,t=24,k=off,b=2,5,k=2,t=24");  // ends with a key still held
  PlayToEnd();
  EXPECT_EQ(g_Capture, -1);
  // Pedal 1 on the lower neck, then released: its bends go back to 0.
  HoverCell(1, 0, 3);
  sys().Button(WM_LBUTTONDOWN, Cell(1, 0, 3));
  sys().Wait(600);
  sys().Button(WM_LBUTTONUP, Cell(1, 0, 3));
  sys().Wait(600);
  for (int i = 0; i < kStringCount; ++i) {
    EXPECT_EQ(g_Neck[1].BendTarget[i], 0) << i;
    EXPECT_EQ(g_Neck[1].BendNow[i], 0) << i;
  }
  EXPECT_EQ(g_Capture, -1);
}

TEST_F(AutoPlayTest, NoNoteHangsAfterASongStoppedAtAnyMoment) {
  std::ifstream in(std::string(SLIDORA_SOURCE_DIR) + "/songs/EditingSong.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::string path = WriteSong("EditingSong.txt", text.str());
  std::mt19937 random(8);
  std::uniform_int_distribution<int> moment(0, 45000);
  for (int run = 0; run < 101; ++run) {
    HeadlessSystem system;
    system.StartUp();
    system.TakeEvents();
    const int at = run == 100 ? -1 : moment(random);  // the last run plays to the end
    system.Drop(path);
    ASSERT_EQ(g_bAutoPlay, 1);
    if (at >= 0) {
      system.Wait(at);
      system.KeyDown(VK_ESCAPE);
    }
    for (int i = 0; i < 20000 && g_bAutoPlay != 0; ++i) system.Wait(5);
    ASSERT_EQ(g_bAutoPlay, 0) << "stopped at " << at;
    system.Wait(1000);
    const auto hanging = Hanging(system.TakeEvents());
    EXPECT_TRUE(hanging.empty()) << "stopped at " << at << ": channel " << hanging.begin()->first.first
                                 << " note " << hanging.begin()->first.second;
  }
}

}  // namespace
