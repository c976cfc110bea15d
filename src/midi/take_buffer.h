// The memory of what was played: every short message the port sent, with its
// time on the timers' millisecond clock, for the last hour at most, so that a
// performance can be kept after the fact. The channel set-up is followed
// alongside, so that any stretch can be given the set-up in force before it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "midi/channel_state.h"

class TakeBuffer {
 public:
  // How far back the buffer reaches (ms), and how many messages it holds at
  // most, so that even the densest play keeps memory bounded (8 bytes each).
  static constexpr int64_t kKeepMs = 60LL * 60 * 1000;
  static constexpr int kChunkSize = 4096;
  static constexpr int kMaxChunks = 1024;  // 4 194 304 messages, 32 MiB

  TakeBuffer();
  ~TakeBuffer();
  TakeBuffer(const TakeBuffer&) = delete;
  TakeBuffer& operator=(const TakeBuffer&) = delete;

  // Keeps one message sent at time_ms (never earlier than the one before).
  // The oldest part goes once it is older than kKeepMs or the buffer is full.
  void Add(int64_t time_ms, uint32_t packed);
  // Forgets everything: the state of a program just started.
  void Clear();

  // Messages are numbered from 0 in the order they were kept; the buffer
  // holds numbers first() to end() - 1.
  uint64_t first() const { return m_First; }
  uint64_t end() const { return m_End; }
  size_t size() const { return static_cast<size_t>(m_End - m_First); }
  // The time of the newest message (0 when none).
  int64_t newest_ms() const { return m_Newest; }

  // Calls visit(number, time_ms, packed) for the kept messages numbered
  // from..end()-1 (from is raised to first()); visit returns false to stop.
  template <typename Visitor>
  void Visit(uint64_t from, Visitor&& visit) const;
  // The channel set-up in force just before message number n (first() to end()).
  ChannelState StateBefore(uint64_t n) const;
  // The set-up in force now.
  const ChannelState& state() const { return m_Now; }

 private:
  // Times are kept as offsets from the chunk's base, so an entry is 8 bytes;
  // a chunk ends early when an offset would no longer fit in 32 bits.
  struct Chunk {
    int64_t base_ms = 0;
    int count = 0;
    uint32_t offset_ms[kChunkSize];
    uint32_t packed[kChunkSize];
  };
  void DropOldestChunk();

  std::deque<std::unique_ptr<Chunk>> m_Chunks;
  std::unique_ptr<Chunk> m_Spare;  // a dropped chunk, reused for the next
  uint64_t m_First = 0;
  uint64_t m_End = 0;
  int64_t m_Newest = 0;
  ChannelState m_Base;  // the set-up before message first()
  ChannelState m_Now;
};

template <typename Visitor>
void TakeBuffer::Visit(uint64_t from, Visitor&& visit) const {
  uint64_t number = m_First;
  for (const std::unique_ptr<Chunk>& chunk : m_Chunks) {
    const uint64_t next = number + static_cast<uint64_t>(chunk->count);
    if (next > from) {
      for (int i = from > number ? static_cast<int>(from - number) : 0; i < chunk->count; ++i) {
        if (!visit(number + static_cast<uint64_t>(i), chunk->base_ms + chunk->offset_ms[i], chunk->packed[i])) return;
      }
    }
    number = next;
  }
}

// The program's buffer, fed by the port.
extern TakeBuffer g_TakeBuffer;
