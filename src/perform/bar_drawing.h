// Draws the slide bar over the neck with a save-under strip: the old strip is
// put back, the new one saved, then body and tip are copied on. An unchanged
// position draws nothing.
#pragma once

// Bar image geometry, pixels.
inline constexpr int kBarWidth = 15;
inline constexpr int kBarHalfWidth = 7;       // the bar is centred on the pointer
inline constexpr int kBarStripHeight = 192;   // saved strip: tip and body over all strings
inline constexpr int kBarTipHeight = 16;
inline constexpr int kBarBodyHeight = 170;    // body height below string 0
inline constexpr int kBarTopOffset = 4;       // tip's top below the neck's top at string 0

// Draws the bar at the play position on the view. Unless forced (a full
// repaint, which has just painted the neck afresh) the old strip is restored
// first. Without a view only the drawn position is kept.
void DrawBar(bool force);
