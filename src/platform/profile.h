// Private-profile (INI) files with the semantics the settings rely on: sections
// and keys match case-insensitively, the first section and the first key of a
// name win, blanks around keys and values are ignored, a write updates its line
// in place and keeps every other line and comment. Lookups go through an index,
// so a file of any size reads and saves in time linear in its length.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/profile_index.h"

class ProfileFile {
 public:
  // Reads the file at path; a missing or unreadable file reads as empty. Lines
  // may end in LF, CR LF or CR alone; a leading UTF-8 byte-order mark is skipped
  // (and written back).
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
  // folder, flushed to disk, then renamed over the old one. A symbolic link is
  // followed (its target is replaced, the link stays) and the file keeps its
  // permissions. Temporary files of earlier saves that never finished are
  // removed. On failure the old file is left as it was, no temporary file
  // remains, false is returned and *error (when given) says why.
  bool Commit(std::string* error = nullptr) const;

  const std::string& path() const { return m_Path; }
  std::string Text() const;

 private:
  // The lines of one section: its header (absent for the lines before the
  // first section) and every line up to the next header.
  struct Section {
    bool has_header = false;
    std::string header;
    std::vector<std::string> lines;
    // Made on the section's first use, so the sections the program never asks
    // for cost nothing.
    mutable bool indexed = false;
    mutable ProfileKeyIndex keys;
  };
  // The first section of the name, with its key index made; nullptr if none.
  const Section* Find(const char* section) const;
  static void Index(const Section& section);
  // The key's line, or nullptr.
  const std::string* FindLine(const char* section, const char* key) const;
  void AddLine(std::string line);

  std::string m_Path;
  std::vector<Section> m_Sections;  // [0] holds the lines before the first header
  std::unordered_map<std::string, size_t> m_ByName;  // lower-case name -> first section
  std::string m_Eol = "\n";
  bool m_Bom = false;
};

// Reads a whole integer the way the profile does: optional blanks, sign and
// digits; no digits gives 0; values beyond 32 bits saturate.
int ParseProfileInt(const std::string& text);
