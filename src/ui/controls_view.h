// How the controls reach the view: the canvas single fields are drawn on, the
// whole-view repaint of a page change, and the selected voice of the voice page.
// Without a view (headless runs without a panel) drawing is skipped.
#pragma once

#include "platform/messages.h"

class CSLDView;
class Canvas;

// The view to draw on, or null.
CSLDView* ControlView();
// Shows what the field routines drew.
void PresentFields();
// Invalidates the whole view without erasing and paints it at once.
void RepaintWholeView();
// Invalidates a rectangle without erasing; it is painted when the loop goes idle.
void InvalidateArea(const Rect& r);

// The neck and voice whose sound the voice page chooses (view members).
int& SelectedNeck();
int& SelectedVoice();
