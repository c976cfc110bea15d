#include "platform/profile.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/atomic_file.h"

namespace {

// Lines are taken apart through views, without copies.
std::string_view Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// The index key of a section or key name: names match whatever their case.
std::string Folded(std::string_view name) {
  std::string f(name);
  for (char& c : f) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return f;
}

// The value as the file holds it: in quotes when it would not read back as
// itself (blanks at either end are trimmed on reading, and matching quotes
// around a value are taken off).
std::string Written(const std::string& value) {
  if (value.empty()) return value;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (blank(value.front()) || blank(value.back()) || quoted) return '"' + value + '"';
  return value;
}

constexpr char kBom[] = "\xEF\xBB\xBF";

// "[name]" gives name; anything else is no header.
bool SectionName(std::string_view line, std::string_view* name) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const size_t close = t.find(']');
  if (close == std::string_view::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

}  // namespace

int ParseProfileInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  return static_cast<int>(v);
}

ProfileFile::ProfileFile(std::string path) : m_Path(std::move(path)) {
  m_Sections.emplace_back();  // the lines before the first header
  std::ifstream in(m_Path, std::ios::binary);
  if (!in) return;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  size_t start = 0;
  if (text.compare(0, 3, kBom) == 0) {
    m_Bom = true;
    start = 3;
  }
  // Lines are written back with the file's own line ends.
  if (text.find("\r\n") != std::string::npos) {
    m_Eol = "\r\n";
  } else if (text.find('\r') != std::string::npos && text.find('\n') == std::string::npos) {
    m_Eol = "\r";
  }
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    AddLine(std::string(text, start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

void ProfileFile::AddLine(std::string line) {
  std::string_view name;
  if (SectionName(line, &name)) {
    Section section;
    section.has_header = true;
    section.header = std::move(line);
    m_ByName.emplace(Folded(name), m_Sections.size());  // the first of a name wins
    m_Sections.push_back(std::move(section));
    return;
  }
  Section& section = m_Sections.back();
  section.lines.push_back(std::move(line));
  if (section.indexed) section.keys.Add(section.lines, section.lines.size() - 1);
}

void ProfileFile::Index(const Section& section) {
  if (section.indexed) return;
  section.indexed = true;
  section.keys.Build(section.lines);
}

const ProfileFile::Section* ProfileFile::Find(const char* section) const {
  const auto it = m_ByName.find(Folded(section));
  if (it == m_ByName.end()) return nullptr;
  Index(m_Sections[it->second]);
  return &m_Sections[it->second];
}

const std::string* ProfileFile::FindLine(const char* section, const char* key) const {
  const Section* s = Find(section);
  if (!s) return nullptr;
  const size_t line = s->keys.Find(s->lines, key);
  return line == ProfileKeyIndex::kNone ? nullptr : &s->lines[line];
}

bool ProfileFile::HasKey(const char* section, const char* key) const {
  return FindLine(section, key) != nullptr;
}

std::string ProfileFile::GetString(const char* section, const char* key, const char* def) const {
  const std::string* line = FindLine(section, key);
  if (!line) return def;
  std::string_view k, v;
  ProfileKeyValue(*line, &k, &v);
  return std::string(v);
}

int ProfileFile::GetInt(const char* section, const char* key, int def) const {
  const std::string* line = FindLine(section, key);
  if (!line) return def;
  std::string_view k, v;
  ProfileKeyValue(*line, &k, &v);
  return ParseProfileInt(std::string(v));
}

void ProfileFile::WriteString(const char* section, const char* key, const std::string& text) {
  const std::string value = Written(text);
  const auto found = m_ByName.find(Folded(section));
  if (found == m_ByName.end()) {
    // A new section goes at the end, after a blank line when the file has text.
    const Section& last = m_Sections.back();
    const std::string* last_line = !last.lines.empty() ? &last.lines.back()
                                   : last.has_header   ? &last.header
                                                       : nullptr;
    if (last_line && !Trim(*last_line).empty()) m_Sections.back().lines.emplace_back();
    AddLine(std::string("[") + section + "]");
    AddLine(std::string(key) + "=" + value);
    return;
  }
  Section& s = m_Sections[found->second];
  Index(s);
  const size_t line = s.keys.Find(s.lines, key);
  if (line != ProfileKeyIndex::kNone) {
    // Keep the key's own spelling of its name.
    std::string_view k, v;
    ProfileKeyValue(s.lines[line], &k, &v);
    s.lines[line] = std::string(k) + "=" + value;
    return;
  }
  // A new key follows the section's last non-blank line; only blank lines, which
  // hold no key, move down.
  size_t end = s.lines.size();
  while (end > 0 && Trim(s.lines[end - 1]).empty()) --end;
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(end), std::string(key) + "=" + value);
  s.keys.Add(s.lines, end);
}

void ProfileFile::WriteInt(const char* section, const char* key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string ProfileFile::Text() const {
  std::string text = m_Bom ? kBom : "";
  for (const Section& s : m_Sections) {
    if (s.has_header) text += s.header + m_Eol;
    for (const std::string& line : s.lines) {
      text += line;
      text += m_Eol;
    }
  }
  return text;
}

bool ProfileFile::Commit(std::string* error) const {
  return WriteFileAtomically(m_Path, Text(), error);
}
