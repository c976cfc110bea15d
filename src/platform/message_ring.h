// A ring of short MIDI messages from one writer thread to one reader thread,
// without locks or waits: a full ring refuses the message. Each message takes
// one record of four bytes (its length, then up to three bytes).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class MessageRing {
 public:
  static constexpr size_t kRecordBytes = 4;

  // Room for `records` messages, rounded up to a power of two.
  explicit MessageRing(size_t records) {
    size_t n = 1;
    while (n < records) n <<= 1;
    m_Records.resize(n * kRecordBytes);
    m_Mask = n - 1;
  }

  // Writer: false when the ring is full (the message is not stored).
  bool Push(const uint8_t* bytes, int length) {
    const size_t head = m_Head.load(std::memory_order_relaxed);
    if (head - m_Tail.load(std::memory_order_acquire) > m_Mask) return false;
    uint8_t* r = &m_Records[(head & m_Mask) * kRecordBytes];
    r[0] = static_cast<uint8_t>(length);
    for (int i = 0; i < 3; ++i) r[1 + i] = i < length ? bytes[i] : 0;
    m_Head.store(head + 1, std::memory_order_release);
    return true;
  }

  // Reader: the oldest message, or null when the ring is empty; *length gets
  // its length. It stays in the ring until Pop.
  const uint8_t* Peek(int* length) const {
    const size_t tail = m_Tail.load(std::memory_order_relaxed);
    if (tail == m_Head.load(std::memory_order_acquire)) return nullptr;
    const uint8_t* r = &m_Records[(tail & m_Mask) * kRecordBytes];
    *length = r[0];
    return r + 1;
  }
  void Pop() { m_Tail.store(m_Tail.load(std::memory_order_relaxed) + 1, std::memory_order_release); }
  // Reader: drops everything written so far.
  void Clear() { m_Tail.store(m_Head.load(std::memory_order_acquire), std::memory_order_release); }

  // Either side: true when every message written has been read.
  bool empty() const {
    return m_Tail.load(std::memory_order_acquire) == m_Head.load(std::memory_order_acquire);
  }

 private:
  std::vector<uint8_t> m_Records;
  size_t m_Mask = 0;
  std::atomic<size_t> m_Head{0};  // messages written, ever
  std::atomic<size_t> m_Tail{0};  // messages read, ever
};
