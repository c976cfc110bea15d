// What auto-play shows on the screen besides the bar: the hint line, and
// whether dropped files are taken. Without a view these draw nothing.
#pragma once

// Redraws the hint line for the region last hovered (the stop hint while a
// song plays).
void RedrawHintLine();
// Blanks the hint line, reads where the pointer really is, hit-tests it and
// shows that region's hint.
void ShowHintUnderPointer();
// Turns the main frame's acceptance of dropped files on or off.
void SetDropAcceptance(bool on);
bool IsDropAccepted();
// Brings the main frame to the front (a drop activates it).
void ActivateMainFrame();
