// Storage of the program-wide song data.
#include "song/song_state.h"

#include <cstring>

#include "song/song_reader.h"

char g_SongPath[kSongPathChars + 1];
char g_SongText[kSongTextBytes];
SongHeader g_SongHeader;
SongItem g_SongItem[kSongItemCount];
SongEvent g_SongEvent[kSongEventCount];
int32_t g_SongItemCount;
int32_t g_SongEventCount;
int32_t g_TimeSinceLabel;

void ResetSongState() {
  std::memset(g_SongPath, 0, sizeof g_SongPath);
  std::memset(g_SongText, 0, sizeof g_SongText);
  g_SongHeader = SongHeader{};
  std::memset(g_SongItem, 0, sizeof g_SongItem);
  std::memset(g_SongEvent, 0, sizeof g_SongEvent);
  g_SongItemCount = 0;
  g_SongEventCount = 0;
  g_TimeSinceLabel = 0;
  g_SongReader.Reset();
}
