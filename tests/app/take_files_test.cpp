// Takes made by the program itself (slidora-cli sim with Ctrl+S) and read by
// others: an independent reader (mido) finds exactly the messages sim
// printed, each at its millisecond; slidora-cli render makes of a take the
// same sound as of the performance; slidora-cli takes lists them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/song_performance.h"
#include "app/song_render.h"
#include "app/takes.h"
#include "support/pitch.h"
#include "support/pitch_song.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kTestFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct Sent {
  int64_t ms;
  uint32_t packed;
};

// The MIDI lines of sim's output ("T XX YY ZZ"); boxes and beeps left out.
std::vector<Sent> SimMessages(const std::string& out) {
  std::vector<Sent> sent;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    long long t;
    unsigned s, d1, d2;
    if (std::sscanf(line.c_str(), "%lld %x %x %x", &t, &s, &d1, &d2) == 4) sent.push_back({t, s | d1 << 8 | d2 << 16});
  }
  return sent;
}

bool IsNoteOn(uint32_t packed) { return (packed & 0xF0) == 0x90 && (packed >> 16) != 0; }

class TakeFilesTest : public ::testing::Test {
 protected:
  // Runs slidora-cli in the test's folder; standard error goes to a file.
  CommandResult Cli(const std::string& args) {
    return RunCommand("cd " + dir_.path() + " && " + SLIDORA_BINARY_DIR + "/slidora-cli " + args + " 2>cli.err");
  }
  std::string OnlyTake() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_.File(kTakesFolder)))
      names.push_back(e.path().filename().string());
    EXPECT_EQ(names.size(), 1u);
    return names.empty() ? "" : std::string(kTakesFolder) + "/" + names[0];
  }
  TempDir dir_;
};

// Live keys, a bend, both pedals, a song, then Ctrl+S.
constexpr const char* kPerformance =
    "# flags: --all\n"
    "move 401 147\n"
    "wait 20\n"
    "keydown 50\n"
    "move 433 147\n"
    "wait 40\n"
    "ldown 433 147\n"
    "wait 400\n"
    "rdown 433 147\n"
    "wait 200\n"
    "lup 433 147\n"
    "rup 433 147\n"
    "wait 400\n"
    "keyup 50\n"
    "wait 100\n"
    "drop pitch.txt\n"
    "wait 9000\n"  // the song has ended

    "keydown ctrl+S\n"
    "keyup ctrl+S\n";

TEST_F(TakeFilesTest, MidoReadsBackExactlyWhatSimPrintedWithTheSetUpAtZero) {
  dir_.Write("pitch.txt", PitchSong());
  dir_.Write("play.sim", kPerformance);
  const CommandResult sim = Cli("sim --all play.sim");
  ASSERT_EQ(sim.status, 0) << dir_.Read("cli.err");
  const std::vector<Sent> sent = SimMessages(sim.out);
  // The take starts at the first note's millisecond; MIDI Start and Stop are
  // signals for live equipment and stay out of a file.
  size_t first = 0;
  while (first < sent.size() && !IsNoteOn(sent[first].packed)) ++first;
  ASSERT_LT(first, sent.size());
  const int64_t start = sent[first].ms;
  while (first > 0 && sent[first - 1].ms == start) --first;
  std::vector<Sent> played;
  for (size_t i = first; i < sent.size(); ++i) {
    if ((sent[i].packed & 0xFF) < 0xF0) played.push_back({sent[i].ms - start, sent[i].packed});
  }

  std::istringstream in(ReadMidiWithMido(dir_.File(OnlyTake())));
  std::string word;
  int value;
  in >> word >> value;
  ASSERT_EQ(word, "ticks_per_beat") << in.str();
  EXPECT_EQ(value, 500);
  in >> word >> value;
  EXPECT_EQ(word, "tempo");
  EXPECT_EQ(value, 500000);  // one tick is one millisecond
  std::vector<Sent> read;
  for (std::string line; std::getline(in, line);) {
    double t;
    unsigned s, d1, d2 = 0;
    if (std::sscanf(line.c_str(), "%lf %u %u %u", &t, &s, &d1, &d2) < 3) continue;
    read.push_back({static_cast<int64_t>(t), s | d1 << 8 | d2 << 16});
    EXPECT_EQ(t, static_cast<double>(read.back().ms)) << "not on a millisecond: " << line;
  }
  ASSERT_GT(read.size(), played.size());
  const size_t setup = read.size() - played.size();
  for (size_t i = 0; i < played.size(); ++i) {
    EXPECT_EQ(read[setup + i].ms, played[i].ms) << "message " << i;
    EXPECT_EQ(read[setup + i].packed, played[i].packed) << "message " << i;
  }

  // The set-up at time 0: what each channel was told last before the take.
  std::map<uint32_t, uint32_t> last;  // channel and controller (or program) -> message
  for (size_t i = 0; i < sent.size() && sent[i].ms < start; ++i) {
    const uint32_t p = sent[i].packed;
    if ((p & 0xF0) == 0xC0) last[(p & 0x0F) << 8 | 0xFF] = p;
    if ((p & 0xF0) == 0xB0 && ((p >> 8 & 0xFF) == 7 || (p >> 8 & 0xFF) == 91 || (p >> 8 & 0xFF) == 93))
      last[(p & 0x0F) << 8 | (p >> 8 & 0xFF)] = p;
  }
  ASSERT_GE(last.size(), 15u * 4);  // programs, volumes, reverb and chorus of every channel
  for (size_t i = 0; i < setup; ++i) EXPECT_EQ(read[i].ms, 0) << "set-up message " << i;
  for (const auto& [key, message] : last) {
    // The last of its kind in the set-up is the one sent last before.
    uint32_t found = 0;
    for (size_t i = 0; i < setup; ++i) {
      const uint32_t p = read[i].packed;
      const uint32_t k = (p & 0xF0) == 0xC0 ? ((p & 0x0F) << 8 | 0xFF) : ((p & 0x0F) << 8 | (p >> 8 & 0xFF));
      if (k == key) found = p;
    }
    EXPECT_EQ(found, message) << std::hex << "channel " << (key >> 8) << " kind " << (key & 0xFF);
  }
  // The bend range of 24 semitones on every channel used.
  for (int ch = 0; ch < 16; ++ch) {
    if (ch == 9) continue;
    bool range = false;
    for (size_t i = 0; i + 2 < setup; ++i) {
      const uint32_t cc = 0xB0u + static_cast<uint32_t>(ch);
      range |= read[i].packed == (cc | 101u << 8) && read[i + 1].packed == (cc | 100u << 8) &&
               read[i + 2].packed == (cc | 6u << 8 | 24u << 16);
    }
    EXPECT_TRUE(range) << "channel " << ch;
  }

  // slidora-cli takes lists it with its length and its notes.
  int notes = 0;
  for (const Sent& s : played) notes += IsNoteOn(s.packed);
  const CommandResult list = Cli("takes");
  EXPECT_EQ(list.status, 0);
  const std::regex line("(\\S+\\.mid)  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  (\\S+)  (\\d+) notes\n");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(list.out, m, line)) << list.out;
  EXPECT_EQ(std::string(kTakesFolder) + "/" + m[1].str(), OnlyTake());
  EXPECT_EQ(m[2].str(), FormatTakeLength(played.back().ms));
  EXPECT_EQ(m[3].str(), std::to_string(notes));
}

TEST_F(TakeFilesTest, ARenderedTakeSoundsAsThePerformanceRenderedDirectly) {
  if (!std::filesystem::exists(kTestFont)) GTEST_SKIP() << "no " << kTestFont;
  dir_.Write("pitch.txt", PitchSong());
  dir_.Write("play.sim", "drop pitch.txt\nwait 9000\nkeydown ctrl+S\nkeyup ctrl+S\n");
  ASSERT_EQ(Cli("sim play.sim").status, 0) << dir_.Read("cli.err");
  ASSERT_EQ(Cli("render " + OnlyTake() + " -o take.wav --soundfont " + kTestFont).status, 0) << dir_.Read("cli.err");
  const std::string wav = dir_.Read("take.wav");
  ASSERT_GT(wav.size(), 44u);
  std::vector<int16_t> take((wav.size() - 44) / 2);
  std::memcpy(take.data(), wav.data() + 44, take.size() * 2);

  // The performance itself, rendered directly from what was sent.
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  SongPerformance p;
  const int performed = PerformSong(dir_.File("pitch.txt"), false, &p);
  std::filesystem::current_path(old);
  ASSERT_EQ(performed, 0);
  const std::vector<int16_t> direct =
      RenderOffline(PerformanceMessages(p), kTestFont, kSongRenderRate, kSongRenderTailMs);

  for (const PitchSongNote& n : kPitchSongNotes) {
    SCOPED_TRACE(n.what);
    const double lo = EqualTempered(n.note - 1), hi = EqualTempered(n.note + 1);
    const double a = EstimatePitchHz(MonoSlice(direct, kSongRenderRate, n.from, n.to), kSongRenderRate, lo, hi);
    const double b = EstimatePitchHz(MonoSlice(take, kSongRenderRate, n.from, n.to), kSongRenderRate, lo, hi);
    ASSERT_GT(a, 0);
    EXPECT_NEAR(Cents(b, a), 0.0, 1.5);
    std::printf("%s: take %.3f Hz, performance %.3f Hz, %.3f cents apart\n", n.what, b, a, Cents(b, a));
  }
}

TEST_F(TakeFilesTest, TakesWithoutAFolderSaysSo) {
  const CommandResult list = Cli("takes");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "no takes in Takes/\n");
  std::filesystem::create_directory(dir_.File(kTakesFolder));
  dir_.Write("Takes/broken.mid", "MThd");
  EXPECT_EQ(Cli("takes").out, "broken.mid  cannot be read: not a Standard MIDI File\n");
}

}  // namespace
