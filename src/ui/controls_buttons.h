// The view's mouse-button handlers: a press is hit-tested once and goes to
// the window buttons, the pedals (over a neck) or the page's fields; a double
// click counts as one more press.
#pragma once

#include "platform/messages.h"

void OnLButtonDown(WPARAM flags, Point p);
void OnRButtonDown(WPARAM flags, Point p);
void OnLButtonDblClk(WPARAM flags, Point p);
void OnRButtonDblClk(WPARAM flags, Point p);
void OnLButtonUp(WPARAM flags, Point p);
void OnRButtonUp(WPARAM flags, Point p);

// Runs the button handler of a button message that passed the view's filter.
// Returns true when the message was a button message.
bool DispatchButtonMessage(const Message& m);
