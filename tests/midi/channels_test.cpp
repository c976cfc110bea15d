#include "midi/channels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/reset.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "support/recording_port.h"

namespace {

class ChannelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    ApplyDefaultSettings();
  }
  void TearDown() override { ResetAllState(); }

  // Opens the mapper on the recording port and forgets the opening reset.
  RecordingMidiOut& OpenQuiet() {
    EXPECT_EQ(OpenDevice(-1), 0);
    scope_.port().Clear();
    return scope_.port();
  }
  std::vector<int> Channels(int neck) {
    return std::vector<int>(g_Neck[neck].Channel, g_Neck[neck].Channel + kStringCount);
  }
  void SetPedals(int tuning, std::vector<int> pedal1, std::vector<int> pedal2) {
    for (int s = 0; s < kStringCount; ++s) {
      g_Tuning[tuning].Pedal[0][s] = pedal1[s];
      g_Tuning[tuning].Pedal[1][s] = pedal2[s];
    }
  }

  RecordingPortScope scope_;
};

std::string Msg(int status, int d1, int d2) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X %02X", status, d1, d2);
  return text;
}

// The reset of one channel, written out as the synthesizer receives it.
std::vector<std::string> ChannelReset(int ch, int reverb, int chorus) {
  const int cc = 0xB0 + ch;
  return {Msg(cc, 121, 0), Msg(cc, 123, 0), Msg(cc, 0, 0),    Msg(cc, 32, 0),
          Msg(0xC0 + ch, 0, 0), Msg(cc, 1, 64), Msg(cc, 33, 0), Msg(cc, 7, 127),
          Msg(cc, 39, 0),  Msg(cc, 10, 64), Msg(cc, 42, 0),  Msg(cc, 11, 127),
          Msg(cc, 43, 0),  Msg(cc, 72, 64), Msg(cc, 104, 0), Msg(cc, 101, 0),
          Msg(cc, 100, 0), Msg(cc, 6, 24),  Msg(0xE0 + ch, 0, 64), Msg(cc, 99, 1),
          Msg(cc, 98, 9),  Msg(cc, 6, 0),   Msg(cc, 99, 1),  Msg(cc, 98, 8),
          Msg(cc, 6, 0),   Msg(cc, 99, 1),  Msg(cc, 98, 10), Msg(cc, 6, 0),
          Msg(cc, 91, reverb), Msg(cc, 93, chorus), Msg(cc, 99, 127), Msg(cc, 98, 127),
          Msg(cc, 101, 127), Msg(cc, 100, 127)};
}

std::vector<std::string> FullReset(int reverb, int chorus) {
  std::vector<std::string> out;
  for (int ch = 0; ch < 16; ++ch) {
    if (ch == 9) continue;
    for (const std::string& m : ChannelReset(ch, reverb, chorus)) out.push_back(m);
  }
  return out;
}

TEST_F(ChannelsTest, EveryOpeningSendsThe510MessageResetWithTheEffectLevels) {
  RecordingMidiOut& port = scope_.port();
  ASSERT_EQ(OpenDevice(-1), 0);
  EXPECT_EQ(MidiTexts(port.ShortMessages()), FullReset(127, 0)) << "defaults: reverb 10, chorus 0";
  ASSERT_EQ(FullReset(127, 0).size(), 510u);

  CloseDevice();
  port.Clear();
  g_ReverbTime = 5;    // 5 * 127 / 10 = 63
  g_ChorusLevel = 10;  // 127
  ASSERT_EQ(OpenDevice(-1), 0);
  EXPECT_EQ(MidiTexts(port.ShortMessages()), FullReset(63, 127));
}

std::vector<std::string> Vibrato(int ch, int depth, int rate, int delay) {
  const int cc = 0xB0 + ch;
  return {Msg(cc, 99, 1), Msg(cc, 98, 9),  Msg(cc, 6, depth), Msg(cc, 99, 1),
          Msg(cc, 98, 8), Msg(cc, 6, rate), Msg(cc, 99, 1),    Msg(cc, 98, 10),
          Msg(cc, 6, delay), Msg(cc, 11, 127), Msg(cc, 43, 0)};
}

TEST_F(ChannelsTest, SetupNeckVoicesLoadsBothVoicesOnEveryPair) {
  // Upper neck voices chosen so every field is visible: banks, programs with and
  // without vibrato defaults, volumes 8 and 5 (101 and 63).
  g_Neck[0].Voice0MSB = 8;
  g_Neck[0].Voice0LSB = 3;
  g_Neck[0].Voice0No = 40;  // violin: vibrato 64, 70, 90
  g_Neck[0].Voice1MSB = 1;
  g_Neck[0].Voice1LSB = 2;
  g_Neck[0].Voice1No = 74;  // recorder: no vibrato
  g_Vibrato[74] = {5, 6, 7};

  for (bool withVolume : {true, false}) {
    SCOPED_TRACE(withVolume);
    RecordingMidiOut& port = OpenQuiet();
    SetupNeckVoices(0, withVolume);
    std::vector<std::string> expected;
    auto add = [&](std::vector<std::string> part) {
      expected.insert(expected.end(), part.begin(), part.end());
    };
    for (int c : {0, 2, 4, 6, 10, 12, 14}) {
      const int odd = c + 1;
      add({Msg(0xB0 + c, 0, 8), Msg(0xB0 + c, 32, 3), Msg(0xC0 + c, 40, 0)});
      if (withVolume) add({Msg(0xB0 + c, 7, 101)});
      add({Msg(0xB0 + odd, 121, 0), Msg(0xE0 + c, 0, 64)});
      add(Vibrato(c, 64, 70, 90));
      add({Msg(0xB0 + odd, 0, 1), Msg(0xB0 + odd, 32, 2), Msg(0xC0 + odd, 74, 0)});
      if (withVolume) add({Msg(0xB0 + odd, 7, 63)});
      add({Msg(0xB0 + odd, 121, 0), Msg(0xE0 + odd, 0, 64)});
      add(Vibrato(odd, 5, 6, 7));
    }
    EXPECT_EQ(expected.size(), withVolume ? 238u : 224u);
    EXPECT_EQ(MidiTexts(port.ShortMessages()), expected);
    CloseDevice();
  }
}

TEST_F(ChannelsTest, StringsOfOnePedalPatternShareAPair) {
  struct Case {
    const char* what;
    int tuning;
    std::vector<int> pedal1, pedal2;  // none: the tuning's own pedals
    std::vector<int> channels;
  };
  const std::vector<int> none(8, 0);
  const Case cases[] = {
      {"C6", 0, {}, {}, {0, 0, 2, 4, 0, 0, 2, 4}},
      {"C69", 1, {}, {}, {0, 2, 4, 2, 2, 0, 2, 2}},
      {"C13", 2, {}, {}, {0, 2, 4, 2, 6, 10, 2, 2}},
      {"Am67", 3, {}, {}, {0, 2, 4, 4, 6, 2, 4, 4}},
      {"E7", 4, {}, {}, {0, 2, 4, 2, 0, 2, 4, 2}},
      {"E9", 5, {}, {}, {0, 2, 4, 0, 0, 0, 2, 0}},
      {"E13", 6, {}, {}, {0, 0, 2, 0, 4, 0, 2, 0}},
      {"B11", 7, {}, {}, {0, 2, 0, 4, 6, 0, 0, 0}},
      {"no pedals at all", 3, none, none, none},
      {"seven patterns: the seventh gets 14", 3, {0, 1, -1, 0, 0, 1, -1, 1},
       {0, 0, 0, 1, -1, 1, 1, 1}, {0, 2, 4, 6, 10, 12, 14, 12}},
      {"eight patterns: the eighth shares 14", 3, {0, 1, -1, 0, 0, 1, -1, 1},
       {0, 0, 0, 1, -1, 1, 1, -1}, {0, 2, 4, 6, 10, 12, 14, 14}},
      {"first string pedalled", 3, {1, 0, 0, 0, 0, 0, 0, 1}, none, {0, 2, 2, 2, 2, 2, 2, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.pedal1.empty()) SetPedals(c.tuning, c.pedal1, c.pedal2);
    g_Neck[0].Tuning = c.tuning;
    AllocateChannels(0);
    EXPECT_EQ(Channels(0), c.channels);
  }
}

}  // namespace
