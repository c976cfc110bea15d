// The key index of one profile section: an open-addressing table of line
// numbers, hashed by the key's name without regard to case. It keeps no copies
// of the names (it reads them from the lines), so indexing a section of a
// million keys costs one pass and a few megabytes. Each slot keeps the upper
// half of its key's hash too, so a probe past another key rarely has to read
// that key's line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// "key=value" gives key and value; comments, headers and other lines give false.
bool ProfileKeyValue(std::string_view line, std::string_view* key, std::string_view* value);

class ProfileKeyIndex {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Indexes every key line; of lines with the same key the first is kept.
  void Build(const std::vector<std::string>& lines);
  // The line of the key, or kNone.
  size_t Find(const std::vector<std::string>& lines, std::string_view key) const;
  // Adds line (a key line) unless its key is indexed already.
  void Add(const std::vector<std::string>& lines, size_t line);

 private:
  size_t Slot(const std::vector<std::string>& lines, std::string_view key, uint64_t hash) const;
  void Grow();

  // hash's upper 32 bits << 32 | line + 1; 0 is an empty slot
  std::vector<uint64_t> m_Slots;
  size_t m_Count = 0;
};
