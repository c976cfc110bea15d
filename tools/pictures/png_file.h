// Writes a picture with an opacity per pixel as a PNG file (8-bit RGBA). The
// image data goes in stored deflate blocks: an icon is small, and so nothing
// beyond the standard library is needed to write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture.h"

// alpha holds one opacity (0 transparent .. 255 opaque) per pixel, row by row.
bool WritePng(const std::string& path, const Picture& colour, const std::vector<uint8_t>& alpha);
