// Finding and reading a song file, then reading its header and score.
#include "song/song_load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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
// Only a plain file is read: a named pipe or a device could hold the reader
// (and the whole panel) for as long as nothing writes to it.
long ReadSongText(const char* path) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return -1;
  }
  size_t done = 0;
  while (done < static_cast<size_t>(kSongTextBytes)) {
    const ssize_t n = read(fd, g_SongText + done, kSongTextBytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return -1;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  close(fd);
  return static_cast<long>(done);
}

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
