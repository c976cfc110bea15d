// The view's window procedure: where every window message for the view
// arrives. A visible tuning-name box takes its own clicks and typing; the rest
// passes the view's message filter, then goes to the playing handlers, the
// button handlers (which hand neck presses to the pedals), the song step and
// what is left to the controls (window timer 1).
#pragma once

#include "platform/messages.h"

void ViewWindowProc(const Message& m);
