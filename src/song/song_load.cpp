// Finding and reading a song file, then reading its header and score.
#include "song/song_load.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/plain_file.h"
#include "platform/working_dir.h"
#include "song/song_messages.h"
#include "song/song_reader.h"
#include "song/song_state.h"

namespace {

constexpr const char* kDefaultSongName = "EditingSong.txt";
constexpr const char* kSongExtension = ".txt";
constexpr size_t kExtensionChars = 4;

bool HasSongExtension(const std::string& path) {
  if (path.size() < kExtensionChars) return false;
  std::string tail = path.substr(path.size() - kExtensionChars);
  for (char& c : tail) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return tail == kSongExtension;
}

// Reads at most the size of g_SongText; returns the bytes read, -1 on failure.
long ReadSongText(const char* path) { return ReadPlainFile(path, g_SongText, kSongTextBytes); }

}  // namespace

int LoadSongFile(SongReader& reader, const std::string& path) {
  reader.Reset();
  g_TimeSinceLabel = 0;  // a warning must never count time of the song loaded before
  g_SongItemCount = 0;

  const bool isDefault = path.empty();
  const std::string full = isDefault ? WorkingDirectoryPath(kDefaultSongName) : path;
  // A path that does not fit is refused whole rather than cut to another file.
  if (full.size() > static_cast<size_t>(kSongPathChars) || full.find('\0') != std::string::npos) {
    g_SongPath[0] = '\0';
    ShowSongFileError(SongMessage::kFileNotRead, full);
    return kSongLoadFailed;
  }
  std::memcpy(g_SongPath, full.c_str(), full.size() + 1);
  if (!isDefault && !HasSongExtension(full)) {
    ShowSongFileError(SongMessage::kFileNotTxt, full);
    return kSongLoadFailed;
  }

  const long read = ReadSongText(g_SongPath);
  if (read < 0) {
    ShowSongFileError(SongMessage::kFileNotRead, full);
    return kSongLoadFailed;
  }
  if (read >= kSongTextBytes) {
    ShowSongError(SongMessage::kTooManyCharacters, static_cast<int>(read));
    return kSongLoadFailed;
  }
  g_SongText[read] = '\0';
  reader.m_LineNo = 0;

  if (int rc = ReadSongHeader(reader)) return rc;
  return ReadSongScore(reader);
}

int LoadSongFile(const std::string& path) {
  return LoadSongFile(g_SongReader, path);
}
