// The panel's geometry: the 46 rectangles that are drawn into, clicked and
// hit-tested, in view client pixels (left, top, right, bottom), numbered as
// perform/regions.h names them.
#pragma once

#include "perform/neck_geometry.h"
#include "perform/regions.h"
#include "platform/messages.h"

extern const Rect g_Region[kRegionCount];

// The window and its client area.
inline constexpr int kWindowWidth = 1360;
inline constexpr int kWindowHeight = 706;
