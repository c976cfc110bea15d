// Formatting and showing the song's message boxes: errors and the bar warning
// carry the song's path as caption, the two file errors the product name. A
// message is named by its entry in the table of song_message_formats.h, so no
// text reaches the user that the song format reference does not quote.
#pragma once

#include <string>

#include "song/song_message_formats.h"

inline constexpr const char* kSongFileCaption = "Slidora : Quenlo";

// The message's format filled printf-style with the arguments that follow.
std::string SongMessageText(SongMessage id, ...);

// Shows the message with the song's path as caption and the error icon.
void ShowSongError(SongMessage id, ...);
// Shows the message with the song's path as caption and the warning icon.
void ShowSongWarning(SongMessage id, ...);
// Shows a file message about path with the product name as caption and the
// error icon.
void ShowSongFileError(SongMessage id, const std::string& path);
