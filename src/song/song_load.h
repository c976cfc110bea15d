// Loading a song file: finding and reading it, then its 22 header lines and
// its score into g_SongHeader and g_SongItem. Every failure is reported in a
// message box before the call returns.
#pragma once

#include <string>

class SongReader;

// Result codes of a load besides 0 (success); the score adds its own codes.
inline constexpr int kSongLoadFailed = 1;       // file, header or value error
inline constexpr int kScoreWrongState = 2;      // "s=" while no key is down
inline constexpr int kScoreBeforeBar = 3;       // "k=" or "s=" before any "b="
inline constexpr int kScoreUnknownCommand = 4;
inline constexpr int kScoreNothing = 5;         // not one entry in the score
inline constexpr int kScoreTooMany = 9;         // the entry list is full

// Loads the song at path ("" for EditingSong.txt in the working directory).
// The reader's state (line number, written line, label) stays for the caller.
int LoadSongFile(SongReader& reader, const std::string& path);
// The same with the program-wide reader.
int LoadSongFile(const std::string& path);

// The two halves of a load after the file was read into g_SongText.
int ReadSongHeader(SongReader& reader);  // 0 or 1; the first call hands the reader g_SongText
int ReadSongScore(SongReader& reader);   // 0, 1 to 5 or 9
