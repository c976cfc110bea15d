#include "platform/silence_gate.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRestAfter = 1000;  // frames
constexpr int kBuffer = 256;
constexpr float kLoud = 0.1f;

bool Buffer(SilenceGate& gate, float peak, bool voices = false) {
  const bool rendered = gate.BeginBuffer();
  if (rendered) gate.EndBuffer(peak, kBuffer, [voices] { return voices; });
  return rendered;
}

TEST(SilenceGateTest, RestsAfterQuietWithoutVoicesUntilAMessageComes) {
  SilenceGate gate(kRestAfter);
  EXPECT_TRUE(Buffer(gate, kLoud));
  // 1024 quiet frames: the fourth quiet buffer reaches the rest.
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Buffer(gate, 0.0f)) << i;
  EXPECT_TRUE(gate.resting());
  EXPECT_FALSE(Buffer(gate, 0.0f));
  EXPECT_FALSE(Buffer(gate, 0.0f));
  gate.Wake();
  EXPECT_TRUE(Buffer(gate, kLoud));
  EXPECT_FALSE(gate.resting());
  // The count starts again after waking.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Buffer(gate, 0.0f)) << i;
  EXPECT_FALSE(gate.resting());
}

TEST(SilenceGateTest, NeverRestsWhileAVoiceSoundsOrAMessageCameDuringTheBuffer) {
  SilenceGate gate(kRestAfter);
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(Buffer(gate, 0.0f, true));  // a silent attack
  EXPECT_FALSE(gate.resting());

  // A note sent while the last quiet buffer renders is heard in the next.
  EXPECT_TRUE(gate.BeginBuffer());
  gate.Wake();
  gate.EndBuffer(0.0f, kBuffer, [] { return false; });
  EXPECT_FALSE(gate.resting());
  EXPECT_TRUE(Buffer(gate, kLoud));
}

TEST(SilenceGateTest, AMessageRestartsTheQuietCount) {
  SilenceGate gate(kRestAfter);
  for (int i = 0; i < 3; ++i) Buffer(gate, 0.0f);
  // A note whose sound starts with near silence, and whose voice the
  // synthesizer does not count yet: the rest waits a full quiet time.
  gate.Wake();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Buffer(gate, 0.0f)) << i;
  EXPECT_FALSE(gate.resting());
  Buffer(gate, 0.0f);
  EXPECT_TRUE(gate.resting());
}

TEST(SilenceGateTest, ALoudBufferRestartsTheQuietCount) {
  SilenceGate gate(kRestAfter);
  for (int i = 0; i < 3; ++i) Buffer(gate, 0.0f);
  Buffer(gate, SilenceGate::kQuietLevel);  // at the level counts as sound
  for (int i = 0; i < 3; ++i) Buffer(gate, SilenceGate::kQuietLevel / 2);
  EXPECT_FALSE(gate.resting());
  Buffer(gate, 0.0f);
  EXPECT_TRUE(gate.resting());
}

}  // namespace
