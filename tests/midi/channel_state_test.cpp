// The channels' set-up followed message by message and sent again: what a
// synthesizer would hold is what the burst gives it.
#include "midi/channel_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "midi/midi_codes.h"

namespace {

std::vector<std::string> Burst(const ChannelState& state) {
  std::vector<std::string> out;
  state.Emit([&](uint32_t packed) {
    char line[16];
    std::snprintf(line, sizeof line, "%02x %02x %02x", packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
    out.push_back(line);
  });
  return out;
}

void Cc(ChannelState& s, int ch, int n, int v) { s.Apply(PackShortMsg(kControlChange + ch, n, v)); }

TEST(ChannelState, NothingToldSendsNothing) {
  ChannelState s;
  s.Apply(PackShortMsg(kNoteOn + 3, 60, 100));  // notes are not a set-up
  s.Apply(PackShortMsg(kMidiStart, 0, 0));
  EXPECT_TRUE(Burst(s).empty());
}

TEST(ChannelState, TheLastValueOfEverySettingInSynthesizerOrder) {
  ChannelState s;
  Cc(s, 2, kCcVolume, 100);
  Cc(s, 2, kCcBankMsb, 8);
  s.Apply(PackShortMsg(kProgramChange + 2, 25, 0));
  Cc(s, 2, kCcVolume, 90);  // the later value counts
  Cc(s, 2, kCcReverbSend, 127);
  Cc(s, 2, kCcRpnMsb, 0);  // bend range 24 through the registered parameter
  Cc(s, 2, kCcRpnLsb, 0);
  Cc(s, 2, kCcDataEntry, 24);
  Cc(s, 2, kCcNrpnMsb, 1);  // vibrato depth 70
  Cc(s, 2, kCcNrpnLsb, 9);
  Cc(s, 2, kCcDataEntry, 70);
  s.Apply(PackShortMsg(kPitchBend + 2, 0x15, 0x43));
  Cc(s, 2, kCcAllNotesOff, 0);  // an action, not a setting
  EXPECT_EQ(Burst(s), (std::vector<std::string>{
                          "b2 79 00",                          // from a known start
                          "b2 00 08", "c2 19 00",              // bank, then program
                          "b2 07 5a", "b2 5b 7f",              // controllers by number
                          "b2 65 00", "b2 64 00", "b2 06 18",  // bend range
                          "b2 63 01", "b2 62 09", "b2 06 46",  // vibrato depth
                          "b2 63 01", "b2 62 09",              // the parameter still selected
                          "e2 15 43"}));
}

TEST(ChannelState, ResetAllControllersClearsWhatASynthesizerClears) {
  ChannelState s;
  Cc(s, 0, kCcModulation, 64);
  Cc(s, 0, kCcExpression, 80);
  Cc(s, 0, kCcVolume, 100);
  s.Apply(PackShortMsg(kPitchBend, 0, 80));
  Cc(s, 0, kCcResetAllControllers, 0);
  EXPECT_EQ(Burst(s), (std::vector<std::string>{"b0 79 00", "b0 01 00", "b0 07 64", "b0 0b 7f", "b0 40 00",
                                                "b0 41 00", "b0 42 00", "b0 43 00", "e0 00 40", "d0 00 00"}));
}

TEST(ChannelState, AParameterLeftUnselectedStaysUnselected) {
  // The reset burst ends with both parameter numbers null; a data entry after
  // it lands nowhere, in the synthesizer and here.
  ChannelState s;
  Cc(s, 5, kCcRpnMsb, 0);
  Cc(s, 5, kCcRpnLsb, 0);
  Cc(s, 5, kCcDataEntry, 24);
  Cc(s, 5, kCcNrpnMsb, kParameterNull);
  Cc(s, 5, kCcNrpnLsb, kParameterNull);
  Cc(s, 5, kCcRpnMsb, kParameterNull);
  Cc(s, 5, kCcRpnLsb, kParameterNull);
  Cc(s, 5, kCcDataEntry, 2);
  EXPECT_EQ(Burst(s), (std::vector<std::string>{"b5 79 00", "b5 65 00", "b5 64 00", "b5 06 18", "b5 63 7f",
                                                "b5 62 7f", "b5 65 7f", "b5 64 7f"}));
}

TEST(ChannelState, TheBurstOfAResetChannelGivesTheSameSetUpBack) {
  // Every channel the program uses starts with a reset, as the burst does.
  ChannelState s;
  Cc(s, 1, kCcResetAllControllers, 0);
  Cc(s, 1, kCcVolume, 127);
  s.Apply(PackShortMsg(kProgramChange + 1, 80, 0));
  Cc(s, 1, kCcNrpnMsb, 1);
  Cc(s, 1, kCcNrpnLsb, 8);
  Cc(s, 1, kCcDataEntry, 64);
  s.Apply(PackShortMsg(kPitchBend + 1, 0x55, 0x42));
  ChannelState copy;
  s.Emit([&](uint32_t packed) { copy.Apply(packed); });
  EXPECT_EQ(Burst(copy), Burst(s));
}

}  // namespace
