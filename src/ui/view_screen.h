// The view as the engine's screen: the bar painted on the view's canvas, the
// necks and hint line repainted, the hit test, drops and the panel's
// reactions to pointer motion. Without a view nothing is drawn.
#pragma once

// Bar image geometry, pixels.
inline constexpr int kBarWidth = 15;
inline constexpr int kBarHalfWidth = 7;       // the bar is centred on the pointer
inline constexpr int kBarStripHeight = 192;   // saved strip: tip and body over all strings
inline constexpr int kBarTipHeight = 16;
inline constexpr int kBarBodyHeight = 170;    // body height below string 0
inline constexpr int kBarTopOffset = 4;       // tip's top below the neck's top at string 0

// A pedal change repaints the neck with its note column (30 pixels to the
// left) and its guide digits (12 to the right).
inline constexpr int kNoteColumnMargin = 30;
inline constexpr int kGuideMargin = 12;

// Makes the view the screen the playing and auto-play code draw through.
void LinkViewToEngine();
