// The view's window procedure: where every window message for the view
// arrives. The tuning-name boxes take their own clicks and keys; everything
// else passes the message filter (when one is installed) and then goes to the
// view's handler for the message, which the playing and control code install.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/messages.h"

inline constexpr uint32_t WM_CHAR = 0x0102;

struct ViewHandlers {
  // The message filter in front of all input: true when it took the message.
  std::function<bool(const Message&)> filter;
  std::function<void(uint32_t vk, LPARAM flags)> OnKeyDown, OnKeyUp;
  std::function<void(WPARAM flags, Point p)> OnMouseMove, OnLButtonDown, OnLButtonUp,
      OnLButtonDblClk, OnRButtonDown, OnRButtonUp, OnRButtonDblClk;
  std::function<void(uintptr_t id)> OnTimer;
  // Private messages 32008..32011 and any other message without a handler above.
  std::function<void(const Message&)> OnOther;
};

extern ViewHandlers g_ViewHandlers;

// The window procedure: boxes first, then the filter, then the handlers.
void ViewWindowProc(const Message& m);
// The handlers alone (what the filter calls for a message it lets through late).
void ViewDispatch(const Message& m);
