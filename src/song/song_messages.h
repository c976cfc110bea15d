// Formatting and showing the song's message boxes: errors and the bar warning
// carry the song's path as caption, the two file errors the product name.
#pragma once

#include <string>

inline constexpr const char* kSongFileCaption = "Slidora : Quenlo";

// printf-style formatting into a string of any length.
std::string FormatSongMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Shows text with the song's path as caption and the error icon.
void ShowSongError(const std::string& text);
// Shows text with the song's path as caption and the warning icon.
void ShowSongWarning(const std::string& text);
