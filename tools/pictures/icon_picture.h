// The program's icon: a piece of the pedal-steel neck with its strings and the
// chrome slide bar, on a rounded tile in the panel's colours.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/picture.h"

struct Icon {
  Picture colour;
  std::vector<uint8_t> alpha;  // 0 transparent .. 255 opaque, row by row
};

// The icon drawn size by size pixels.
Icon MakeIcon(int size);
