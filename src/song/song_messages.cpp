// Song message formatting and display through the message-box sink.
#include "song/song_messages.h"

#include <cstdarg>
#include <cstdio>

#include "platform/message_box.h"
#include "song/song_state.h"

std::string FormatSongMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

void ShowSongError(const std::string& text) {
  ShowMessageBox(text, g_SongPath, MB_ICONHAND);
}

void ShowSongWarning(const std::string& text) {
  ShowMessageBox(text, g_SongPath, MB_ICONEXCLAMATION);
}
