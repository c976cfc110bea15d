// The view's window procedure: where every window message for the view
// arrives. The tuning-name boxes take their own clicks and keys; everything
// else passes the view's message filter and goes to the playing handlers, and
// what they do not take to the panel's handler.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/messages.h"

inline constexpr uint32_t WM_CHAR = 0x0102;

// The panel controls' handler of the messages the playing handlers leave
// (button presses off the necks, window timer 1, ...). Empty: ignored.
extern std::function<void(const Message&)> g_PanelHandler;

void ViewWindowProc(const Message& m);
