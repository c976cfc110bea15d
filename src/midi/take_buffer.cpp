#include "midi/take_buffer.h"

TakeBuffer g_TakeBuffer;

TakeBuffer::TakeBuffer() = default;
TakeBuffer::~TakeBuffer() = default;

void TakeBuffer::Clear() {
  m_Chunks.clear();
  m_First = m_End = 0;
  m_Newest = 0;
  m_Base.Clear();
  m_Now.Clear();
}

void TakeBuffer::Add(int64_t time_ms, uint32_t packed) {
  Chunk* last = m_Chunks.empty() ? nullptr : m_Chunks.back().get();
  if (last == nullptr || last->count == kChunkSize || time_ms - last->base_ms > UINT32_MAX) {
    if (static_cast<int>(m_Chunks.size()) == kMaxChunks) DropOldestChunk();
    std::unique_ptr<Chunk> fresh = m_Spare ? std::move(m_Spare) : std::make_unique<Chunk>();
    fresh->base_ms = time_ms;
    fresh->count = 0;
    m_Chunks.push_back(std::move(fresh));
    last = m_Chunks.back().get();
  }
  last->offset_ms[last->count] = static_cast<uint32_t>(time_ms - last->base_ms);
  last->packed[last->count] = packed;
  ++last->count;
  ++m_End;
  m_Newest = time_ms;
  m_Now.Apply(packed);
  // Whole chunks go, once their newest message is older than the hour.
  while (m_Chunks.size() > 1) {
    const Chunk& oldest = *m_Chunks.front();
    if (oldest.base_ms + oldest.offset_ms[oldest.count - 1] >= time_ms - kKeepMs) break;
    DropOldestChunk();
  }
}

void TakeBuffer::DropOldestChunk() {
  std::unique_ptr<Chunk> oldest = std::move(m_Chunks.front());
  m_Chunks.pop_front();
  for (int i = 0; i < oldest->count; ++i) m_Base.Apply(oldest->packed[i]);
  m_First += static_cast<uint64_t>(oldest->count);
  m_Spare = std::move(oldest);
}

ChannelState TakeBuffer::StateBefore(uint64_t n) const {
  ChannelState state = m_Base;
  Visit(m_First, [&](uint64_t number, int64_t, uint32_t packed) {
    if (number >= n) return false;
    state.Apply(packed);
    return true;
  });
  return state;
}
