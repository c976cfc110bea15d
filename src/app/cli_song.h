// Shared part of the song commands of slidora-cli: load and compile a song as
// a dropped file would be, with the message boxes recorded, and print them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct SongCheckBox {
  std::string text;
  std::string caption;
  int type;
  int lineNo;  // the reader's line when the box was shown
};

struct SongCheck {
  std::vector<SongCheckBox> boxes;
  int load = 0;
  int compile = -1;  // -1 when the load failed and nothing was compiled
};

// Loads and compiles the song at path; nothing is shown, everything recorded.
SongCheck CheckSongFile(const std::string& path);

// Prints each box as "FILE:LINE: error: text" (warnings as "warning:"), the
// lines after the first of a text indented below it.
void PrintSongMessages(std::FILE* out, const std::string& path, const SongCheck& check);

// Prints each box as a JSON object on its own line, then the two result codes.
void PrintSongMessagesJson(std::FILE* out, const SongCheck& check);
