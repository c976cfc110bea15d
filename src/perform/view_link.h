// The panel's own reactions to pointer motion that the mouse-move handler
// hands on: a window-drag step and the release of a held spin button. The
// panel controls fill these in; empty entries do nothing.
#pragma once

struct ViewLink {
  void (*dragWindow)() = nullptr;             // one drag step while the drag holds the capture
  void (*releaseSpin)(int region) = nullptr;  // the pointer left the held spin button
};

extern ViewLink g_ViewLink;
