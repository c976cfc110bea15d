// The memory of what was played: bounded to the last hour (and a number of
// messages), and a take cut from it with the set-up in force before it.
#include "midi/take_buffer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "midi/midi_codes.h"
#include "midi/take.h"

namespace {

constexpr int64_t kMinuteMs = 60 * 1000;

std::string Line(const TimedShortMsg& m) {
  char line[32];
  std::snprintf(line, sizeof line, "%.0f %02x %02x %02x", m.time_ms, m.packed & 0xFF, (m.packed >> 8) & 0xFF,
                (m.packed >> 16) & 0xFF);
  return line;
}

std::vector<std::string> Lines(const Take& take) {
  std::vector<std::string> out;
  for (const TimedShortMsg& m : take.messages) out.push_back(Line(m));
  return out;
}

TEST(TakeBuffer, KeepsTheLastHourOfPlayAndNoMore) {
  TakeBuffer b;
  // Two hours, a message every millisecond: the first hour goes, chunk by chunk.
  const int64_t two_hours = 120 * kMinuteMs;
  for (int64_t t = 0; t < two_hours; ++t) b.Add(t, PackShortMsg(kControlChange, kCcExpression, t % 128));
  EXPECT_EQ(b.end(), static_cast<uint64_t>(two_hours));
  int64_t oldest = -1;
  b.Visit(0, [&](uint64_t, int64_t t, uint32_t) {
    oldest = t;
    return false;
  });
  EXPECT_LE(oldest, two_hours - TakeBuffer::kKeepMs);
  EXPECT_GT(oldest, two_hours - TakeBuffer::kKeepMs - TakeBuffer::kChunkSize);
  EXPECT_EQ(b.first(), static_cast<uint64_t>(oldest));
}

TEST(TakeBuffer, TheDensestPlayStaysWithinItsMessageBound) {
  TakeBuffer b;
  // Eight messages a millisecond for ten minutes: more than the bound holds.
  const uint64_t bound = static_cast<uint64_t>(TakeBuffer::kChunkSize) * TakeBuffer::kMaxChunks;
  for (int64_t t = 0; t < 10 * kMinuteMs; ++t) {
    for (int i = 0; i < 8; ++i) b.Add(t, PackShortMsg(kPitchBend + i, 0, 64));
  }
  EXPECT_LE(b.size(), bound);
  EXPECT_GT(b.size(), bound - TakeBuffer::kChunkSize);
  EXPECT_EQ(b.end(), 8u * 10 * kMinuteMs);
}

TEST(TakeBuffer, TheSetUpBeforeAMessageCountsWhatWasDroppedToo) {
  TakeBuffer b;
  b.Add(0, PackShortMsg(kProgramChange + 3, 25, 0));
  // Enough to drop the program change from the buffer.
  for (int64_t t = 1; t <= TakeBuffer::kKeepMs + 2 * TakeBuffer::kChunkSize; t += 1) {
    b.Add(t, PackShortMsg(kControlChange + 3, kCcVolume, 100));
  }
  ASSERT_GT(b.first(), 0u);
  std::vector<uint32_t> burst;
  b.StateBefore(b.first()).Emit([&](uint32_t p) { burst.push_back(p); });
  EXPECT_EQ(burst, (std::vector<uint32_t>{PackShortMsg(0xB3, 121, 0), PackShortMsg(0xC3, 25, 0),
                                          PackShortMsg(0xB3, kCcVolume, 100)}));
}

TEST(Take, StartsAtTheFirstNoteWithTheSetUpAtZeroAndEndsItsHeldNotes) {
  TakeBuffer b;
  b.Add(0, PackShortMsg(kControlChange, kCcResetAllControllers, 0));
  b.Add(0, PackShortMsg(kProgramChange, 25, 0));
  b.Add(100, PackShortMsg(kPitchBend, 0, 80));  // before the take: part of the set-up
  b.Add(1000, PackShortMsg(kControlChange, kCcVolume, 90));  // the note's millisecond, just before it
  b.Add(1000, PackShortMsg(kNoteOn, 60, 120));
  b.Add(1000, PackShortMsg(kMidiStart, 0, 0));  // a signal for live equipment, not kept
  b.Add(1250, PackShortMsg(kNoteOn + 1, 64, 77));
  b.Add(1300, PackShortMsg(kNoteOff, 60, 127));
  Take take;
  ASSERT_TRUE(CollectTake(b, 0, &take));
  EXPECT_EQ(Lines(take), (std::vector<std::string>{
                             "0 b0 79 00", "0 c0 19 00", "0 b0 01 00", "0 b0 0b 7f", "0 b0 40 00", "0 b0 41 00",
                             "0 b0 42 00", "0 b0 43 00", "0 e0 00 50", "0 d0 00 00",  // the set-up
                             "0 b0 07 5a", "0 90 3c 78", "250 91 40 4d", "300 80 3c 7f",
                             "300 81 40 7f"}));  // the note still held ends with the take
  EXPECT_EQ(take.length_ms, 300);
  EXPECT_EQ(take.notes, 2);
  EXPECT_EQ(take.end, 8u);
}

TEST(Take, NothingPlayedSinceTheLastSaveIsNoTake) {
  TakeBuffer b;
  b.Add(0, PackShortMsg(kNoteOn, 60, 100));
  b.Add(10, PackShortMsg(kNoteOff, 60, 127));
  b.Add(20, PackShortMsg(kNoteOn, 62, 0));  // a note-on at velocity 0 ends a note
  b.Add(30, PackShortMsg(kPitchBend, 0, 64));
  Take take;
  EXPECT_TRUE(TakeHasNotes(b, 0));
  EXPECT_FALSE(TakeHasNotes(b, 1));
  EXPECT_FALSE(CollectTake(b, 1, &take));
  EXPECT_TRUE(take.messages.empty());
  // A later take starts after the save, even in the same millisecond.
  b.Add(30, PackShortMsg(kNoteOn, 64, 100));
  ASSERT_TRUE(CollectTake(b, 4, &take));
  EXPECT_EQ(Line(take.messages.end()[-2]), "0 90 40 64");
  EXPECT_EQ(Line(take.messages.back()), "0 80 40 7f");
}

TEST(Take, OfAnHourOfDensePlayIsItsLastHour) {
  TakeBuffer b;
  // A note every 100 ms and bends between them for 70 minutes.
  const int64_t end = 70 * kMinuteMs;
  for (int64_t t = 0; t < end; t += 100) {
    b.Add(t, PackShortMsg(kNoteOn, 60, 100));
    for (int64_t u = t + 1; u < t + 100; u += 2) b.Add(u, PackShortMsg(kPitchBend, u % 128, 64));
    b.Add(t + 99, PackShortMsg(kNoteOff, 60, 127));
  }
  Take take;
  ASSERT_TRUE(CollectTake(b, 0, &take));
  EXPECT_GE(take.length_ms, TakeBuffer::kKeepMs - 100);
  EXPECT_LE(take.length_ms, TakeBuffer::kKeepMs);
  EXPECT_EQ(take.notes, static_cast<int>(take.length_ms / 100 + 1));
}

}  // namespace
