// The song text reader: yields the significant lines of a song one by one,
// cleaned for parsing, and splits a line into commands "key=value,value,...".
// Bar labels "(...)" are checked here, on every line read.
#pragma once

#include <string>

#include "song/song_types.h"

class SongReader {
 public:
  // Before a load: no line read yet, no label met, all texts empty.
  void Reset();

  // With the text on the first call and nullptr afterwards, returns the next
  // significant line as written (without its carriage return), or nullptr at
  // the end of the text. The text ends at its first 0 byte.
  const char* NextSongLine(const char* text);

  // Splits the next command of the current line (first = 1 starts again at the
  // line's beginning). Returns its key with the "=", or "" when none is left.
  const std::string& NextSongCommand(int first);

  int m_LineNo = 0;         // number of the line last yielded, blank lines of CR LF files included
  std::string m_Clean;      // the line's kept characters, up to its comment
  std::string m_Rest;       // what the splitter has not yet consumed
  std::string m_Written;    // the line as shown in messages: 80 characters, then ten dots
  std::string m_Value[kSongCommandValues];  // values of the command just split
  std::string m_Label;      // last bar label met, "(...)"

 private:
  const char* m_Next = nullptr;  // where the next line starts
  std::string m_Line;            // the line last yielded, as written
  std::string m_Key;
};

// The reader of the song loaded by the program (the view uses this one).
extern SongReader g_SongReader;
