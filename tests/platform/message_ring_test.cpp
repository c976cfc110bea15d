// The ring that carries messages from the interface thread to JACK's process
// thread: order, bytes and length kept, a full ring refusing instead of
// waiting, and a hand-over between two threads that loses nothing.
#include "platform/message_ring.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(MessageRingTest, KeepsOrderAndBytesAcrossTheWrapAndRefusesWhenFull) {
  MessageRing ring(3);  // room for 4
  int length = 0;
  EXPECT_EQ(ring.Peek(&length), nullptr);
  for (int round = 0; round < 5; ++round) {
    const uint8_t note[3] = {0x90, static_cast<uint8_t>(60 + round), 100};
    const uint8_t program[2] = {0xC1, static_cast<uint8_t>(round)};
    const uint8_t start[1] = {0xFA};
    ASSERT_TRUE(ring.Push(note, 3));
    ASSERT_TRUE(ring.Push(program, 2));
    ASSERT_TRUE(ring.Push(start, 1));
    ASSERT_TRUE(ring.Push(note, 3));
    EXPECT_FALSE(ring.Push(start, 1)) << "a full ring refuses";

    const uint8_t* m = ring.Peek(&length);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::vector<uint8_t>(m, m + 3), std::vector<uint8_t>({0x90, note[1], 100}));
    EXPECT_EQ(ring.Peek(&length), m) << "peeking does not take";
    ring.Pop();
    m = ring.Peek(&length);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(std::vector<uint8_t>(m, m + 2), std::vector<uint8_t>({0xC1, program[1]}));
    ring.Pop();
    m = ring.Peek(&length);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(m[0], 0xFA);
    ring.Pop();
    EXPECT_FALSE(ring.empty());
    ring.Clear();  // what the old connection did not take is dropped
    EXPECT_TRUE(ring.empty());
    EXPECT_EQ(ring.Peek(&length), nullptr);
  }
}

TEST(MessageRingTest, TwoThreadsHandOverEveryMessageInOrder) {
  constexpr int kMessages = 200000;
  MessageRing ring(64);
  std::thread writer([&] {
    for (int i = 0; i < kMessages;) {
      const uint8_t m[3] = {static_cast<uint8_t>(0x80 | (i & 0x0F)), static_cast<uint8_t>(i & 0x7F),
                            static_cast<uint8_t>((i >> 7) & 0x7F)};
      if (ring.Push(m, 3)) {
        ++i;
      } else {
        std::this_thread::yield();
      }
    }
  });
  int next = 0;
  int wrong = 0;
  while (next < kMessages) {
    int length = 0;
    const uint8_t* m = ring.Peek(&length);
    if (!m) {
      std::this_thread::yield();
      continue;
    }
    if (length != 3 || m[0] != (0x80 | (next & 0x0F)) || m[1] != (next & 0x7F) ||
        m[2] != ((next >> 7) & 0x7F)) {
      ++wrong;
    }
    ring.Pop();
    ++next;
  }
  writer.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(ring.empty());
}

}  // namespace
