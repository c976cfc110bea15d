// What the playing code asks of the view: the surface the bar is drawn on, the
// bar pictures, the hint line and invalidation, and the panel's own reactions
// to pointer motion. The view fills this in when it is created; entries left
// empty do nothing, so the playing code also runs without a view.
#pragma once

#include "platform/messages.h"

class Picture;

struct ViewLink {
  Picture* screen = nullptr;            // the window's surface
  const Picture* barBody = nullptr;     // slide-bar body, 15 wide, up to 170 high
  const Picture* barTip = nullptr;      // slide-bar tip, 15 by 16
  const Picture* barTipMask = nullptr;  // mask of the tip, 15 by 16
  void (*drawHint)(int region) = nullptr;                  // redraw the hint line
  void (*invalidate)(const Rect& r, bool erase) = nullptr;  // repaint later
  void (*dragWindow)() = nullptr;        // one window-drag step while the drag holds the capture
  void (*releaseSpin)(int region) = nullptr;  // the pointer left a held spin button
};

extern ViewLink g_ViewLink;
