// A message box painted by the program itself, into a canvas of the box's
// client size: the text on a white area with the icon mark of its type, and
// the OK button on a grey strip below. Needs no display.
#pragma once

#include "platform/box_layout.h"
#include "platform/canvas.h"
#include "platform/fonts.h"

// The face the boxes write with (see kBoxFontHeight).
Font OpenMessageBoxFont();

// Paints the whole box; a pressed button is drawn pushed in.
void DrawMessageBox(Canvas& canvas, const BoxLayout& box, const Font& font, bool button_pressed);

// The label of the box's one button.
inline constexpr const char* kBoxButtonLabel = "OK";
