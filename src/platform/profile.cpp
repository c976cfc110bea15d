#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool EqualNoCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// "[name]" gives name; anything else is no header.
bool SectionName(const std::string& line, std::string* name) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

// "key=value" gives key and value; comments and other lines give false.
bool KeyValue(const std::string& line, std::string* key, std::string* value) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  *key = Trim(t.substr(0, eq));
  *value = Trim(t.substr(eq + 1));
  // A value wrapped in matching quotes reads without them.
  if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front()) {
    *value = value->substr(1, value->size() - 2);
  }
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

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  crlf_ = text.find("\r\n") != std::string::npos;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back({line});
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
}

int ProfileFile::FindSection(const char* section) const {
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text, &name) && EqualNoCase(name, section)) return static_cast<int>(i);
  }
  return -1;
}

int ProfileFile::FindKey(int header, const char* key) const {
  std::string name, k, v;
  for (size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text, &name)) break;
    if (KeyValue(lines_[i].text, &k, &v) && EqualNoCase(k, key)) return static_cast<int>(i);
  }
  return -1;
}

int ProfileFile::SectionEnd(int header) const {
  std::string name;
  int end = header + 1;
  for (size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text, &name)) break;
    if (!Trim(lines_[i].text).empty()) end = static_cast<int>(i) + 1;
  }
  return end;
}

bool ProfileFile::HasKey(const char* section, const char* key) const {
  int header = FindSection(section);
  return header >= 0 && FindKey(header, key) >= 0;
}

std::string ProfileFile::GetString(const char* section, const char* key, const char* def) const {
  int header = FindSection(section);
  if (header < 0) return def;
  int line = FindKey(header, key);
  if (line < 0) return def;
  std::string k, v;
  KeyValue(lines_[line].text, &k, &v);
  return v;
}

int ProfileFile::GetInt(const char* section, const char* key, int def) const {
  int header = FindSection(section);
  if (header < 0) return def;
  int line = FindKey(header, key);
  if (line < 0) return def;
  std::string k, v;
  KeyValue(lines_[line].text, &k, &v);
  return ParseProfileInt(v);
}

void ProfileFile::WriteString(const char* section, const char* key, const std::string& value) {
  int header = FindSection(section);
  if (header < 0) {
    // A new section goes at the end, after a blank line when the file has text.
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back({""});
    lines_.push_back({std::string("[") + section + "]"});
    lines_.push_back({std::string(key) + "=" + value});
    return;
  }
  int line = FindKey(header, key);
  if (line >= 0) {
    // Keep the key's own spelling of its name.
    std::string k, v;
    KeyValue(lines_[line].text, &k, &v);
    lines_[line].text = k + "=" + value;
    return;
  }
  lines_.insert(lines_.begin() + SectionEnd(header), {std::string(key) + "=" + value});
}

void ProfileFile::WriteInt(const char* section, const char* key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string ProfileFile::Text() const {
  std::string text;
  const char* eol = crlf_ ? "\r\n" : "\n";
  for (const Line& line : lines_) {
    text += line.text;
    text += eol;
  }
  return text;
}

bool ProfileFile::Commit() const {
  const std::string text = Text();
  std::string tmp = path_ + ".XXXXXX";
  std::vector<char> name(tmp.begin(), tmp.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return false;
  fchmod(fd, 0644);
  size_t done = 0;
  bool ok = true;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && rename(name.data(), path_.c_str()) != 0) ok = false;
  if (!ok) unlink(name.data());
  return ok;
}
