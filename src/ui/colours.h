// The eight text colours of the panel.
#pragma once

#include "platform/picture.h"

inline constexpr Pixel kGrey = Rgb(100, 100, 100);       // ordinary text
inline constexpr Pixel kBlack = Rgb(0, 0, 0);            // emphasised text, guide digits
inline constexpr Pixel kOrange = Rgb(255, 130, 60);      // the neck's current tuning set
inline constexpr Pixel kRed = Rgb(255, 0, 0);            // the auto-play stop hint
inline constexpr Pixel kCream = Rgb(250, 240, 210);      // selected list entry, play hints
inline constexpr Pixel kCyan = Rgb(0, 255, 255);         // other list entries, note cells
inline constexpr Pixel kLightBlue = Rgb(166, 200, 240);  // ordinary hints, page-1 footer
inline constexpr Pixel kLightGrey = Rgb(235, 235, 235);  // value fields
