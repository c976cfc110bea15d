#include "platform/profile_index.h"

#include <strings.h>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// FNV-1a of the name in lower case: names match whatever their case.
uint64_t Hash(std::string_view name) {
  uint64_t h = 1469598103934665603ull;
  for (char c : name) {
    h ^= static_cast<unsigned char>(Lower(c));
    h *= 1099511628211ull;
  }
  return h;
}

// An empty name (a line "=value") has no characters to compare, and may have
// no storage at all.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || strncasecmp(a.data(), b.data(), a.size()) == 0);
}

std::string_view KeyOf(const std::string& line) {
  std::string_view key, value;
  ProfileKeyValue(line, &key, &value);
  return key;
}

std::string_view Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

bool ProfileKeyValue(std::string_view line, std::string_view* key, std::string_view* value) {
  const std::string_view t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  *key = Trim(t.substr(0, eq));
  *value = Trim(t.substr(eq + 1));
  // A value wrapped in matching quotes reads without them.
  if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front()) {
    *value = value->substr(1, value->size() - 2);
  }
  return true;
}

namespace {

constexpr uint64_t kLineMask = 0xffffffffull;

uint64_t Tag(uint64_t hash) { return hash & ~kLineMask; }

// Probing starts from the tag's bits, so a growing table can place an entry
// from its slot alone.
size_t Start(uint64_t hash, size_t mask) { return static_cast<size_t>(hash >> 32) & mask; }

}  // namespace

size_t ProfileKeyIndex::Slot(const std::vector<std::string>& lines, std::string_view key, uint64_t hash) const {
  const size_t mask = m_Slots.size() - 1;
  for (size_t i = Start(hash, mask);; i = (i + 1) & mask) {
    const uint64_t entry = m_Slots[i];
    if (entry == 0) return i;
    if (Tag(entry) == Tag(hash) && SameName(KeyOf(lines[(entry & kLineMask) - 1]), key)) return i;
  }
}

// Moves every entry to a table twice the size without reading a line.
void ProfileKeyIndex::Grow() {
  std::vector<uint64_t> old;
  old.swap(m_Slots);
  m_Slots.assign(old.empty() ? 16 : old.size() * 2, 0);
  const size_t mask = m_Slots.size() - 1;
  for (uint64_t entry : old) {
    if (entry == 0) continue;
    size_t i = Start(entry, mask);
    while (m_Slots[i] != 0) i = (i + 1) & mask;
    m_Slots[i] = entry;
  }
}

void ProfileKeyIndex::Build(const std::vector<std::string>& lines) {
  m_Slots.clear();
  m_Count = 0;
  size_t size = 16;
  while (size < lines.size() * 2) size *= 2;
  m_Slots.assign(size, 0);
  for (size_t i = 0; i < lines.size(); ++i) Add(lines, i);
}

size_t ProfileKeyIndex::Find(const std::vector<std::string>& lines, std::string_view key) const {
  if (m_Slots.empty()) return kNone;
  const uint64_t entry = m_Slots[Slot(lines, key, Hash(key))];
  return entry == 0 ? kNone : static_cast<size_t>((entry & kLineMask) - 1);
}

void ProfileKeyIndex::Add(const std::vector<std::string>& lines, size_t line) {
  std::string_view key, value;
  if (!ProfileKeyValue(lines[line], &key, &value)) return;
  if ((m_Count + 1) * 2 > m_Slots.size()) Grow();
  const uint64_t hash = Hash(key);
  uint64_t& entry = m_Slots[Slot(lines, key, hash)];
  if (entry != 0) return;  // the first line of a key wins
  entry = Tag(hash) | static_cast<uint64_t>(line + 1);
  ++m_Count;
}
