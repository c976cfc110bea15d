// What auto-play asks of the window: the hint line, repainting, the pointer
// and the acceptance of dropped files. Without a window these do nothing.
#pragma once

#include "ui/controls_view.h"  // RepaintWholeView: the whole view invalidated and painted now

// Redraws the hint line for the region last hovered (the stop hint while a
// song plays).
void RedrawHintLine();
// Invalidates the upper neck with its note column and guide marks, the area
// a pedal change repaints.
void InvalidateUpperNeckArea();
// Blanks the hint line, reads where the pointer really is, hit-tests it and
// shows that region's hint.
void ShowHintUnderPointer();
// Turns the main frame's acceptance of dropped files on or off.
void SetDropAcceptance(bool on);
bool IsDropAccepted();
// Brings the main frame to the front (a drop activates it).
void ActivateMainFrame();
