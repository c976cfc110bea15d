// The page-by-page parts of the panel's button handlers, composed in order by
// the button handlers themselves.
#pragma once

#include "platform/messages.h"

// Page tabs, drag, minimise and close (regions 0..5), on every page.
void WindowButtonPress(int r, Point p);

// Playing page: tuning buttons, voice fields, volumes, guide and MIDI shifts.
// delta is +1 for the left button, -1 for the right.
void PlayPageFieldPress(int r, int delta);

// Tuning editor: a grid code (100 * set + 10 * string + box) from the hit test.
void TuningGridPress(int code, int delta);

// Preview notes: the channel the sounding preview started on.
void StartPreviewNote(int channel, int note);
void EndPreviewNote();
