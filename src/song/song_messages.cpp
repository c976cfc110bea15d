// Song message formatting and display through the message-box sink.
#include "song/song_messages.h"

#include <cstdarg>
#include <cstdio>

#include "platform/message_box.h"
#include "song/song_state.h"

namespace {

std::string FormatList(const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

}  // namespace

std::string SongMessageText(SongMessage id, ...) {
  va_list args;
  va_start(args, id);
  std::string text = FormatList(SongMessageFormatOf(id), args);
  va_end(args);
  return text;
}

void ShowSongError(SongMessage id, ...) {
  va_list args;
  va_start(args, id);
  const std::string text = FormatList(SongMessageFormatOf(id), args);
  va_end(args);
  ShowMessageBox(text, g_SongPath, MB_ICONHAND);
}

void ShowSongWarning(SongMessage id, ...) {
  va_list args;
  va_start(args, id);
  const std::string text = FormatList(SongMessageFormatOf(id), args);
  va_end(args);
  ShowMessageBox(text, g_SongPath, MB_ICONEXCLAMATION);
}

void ShowSongFileError(SongMessage id, const std::string& path) {
  ShowMessageBox(SongMessageText(id, path.c_str()), kSongFileCaption, MB_ICONHAND);
}
