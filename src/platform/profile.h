// Private-profile (INI) files with the semantics the settings rely on: sections
// and keys match case-insensitively, blanks around keys and values are ignored,
// a write updates its line in place and keeps every other line and comment.
#pragma once

#include <string>
#include <vector>

class ProfileFile {
 public:
  // Reads the file at path; a missing or unreadable file reads as empty.
  explicit ProfileFile(std::string path);

  // The value of the key, or def when the section or key is missing.
  std::string GetString(const char* section, const char* key, const char* def) const;
  // The value's optional sign and leading digits (0 when it starts with no
  // number, saturating beyond 32 bits); def when the key is missing.
  int GetInt(const char* section, const char* key, int def) const;
  bool HasKey(const char* section, const char* key) const;

  // Changes the text in memory: an existing key's line is updated in place, a
  // new key goes at the end of its section, a new section at the end.
  void WriteString(const char* section, const char* key, const std::string& value);
  void WriteInt(const char* section, const char* key, int value);

  // Writes the whole text to the file at once: a temporary file in the same
  // folder, flushed to disk, then renamed over the old one. On failure the old
  // file is left as it was and false is returned.
  bool Commit() const;

  const std::string& path() const { return path_; }
  std::string Text() const;

 private:
  struct Line {
    std::string text;
  };
  // Index of the section header line, or -1.
  int FindSection(const char* section) const;
  // Index of the key's line inside the section starting at header, or -1.
  int FindKey(int header, const char* key) const;
  // One past the section's last non-blank line.
  int SectionEnd(int header) const;

  std::string path_;
  std::vector<Line> lines_;
  bool crlf_ = false;
};

// Reads a whole integer the way the profile does: optional blanks, sign and
// digits; no digits gives 0; values beyond 32 bits saturate.
int ParseProfileInt(const std::string& text);
