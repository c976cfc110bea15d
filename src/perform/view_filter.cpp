#include "perform/view_filter.h"

#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/keyboard.h"
#include "perform/pedals.h"
#include "perform/slide_bar.h"
#include "perform/timed_motions.h"

namespace {

Point PointOf(LPARAM l) { return {PointX(l), PointY(l)}; }

bool IsButtonMessage(uint32_t msg) { return msg >= WM_LBUTTONDOWN && msg <= WM_RBUTTONDBLCLK; }

}  // namespace

bool FilterViewMessage(const Message& m) {
  if (m.msg == WM_MOUSEMOVE) {
    if (g_bAutoPlay) return false;
    // The point is kept as the 32-bit word the message carries.
    const int32_t point = static_cast<int32_t>(m.lParam);
    if (point != g_PendingMouseLParam) {
      g_PendingMouseWParam = static_cast<int32_t>(m.wParam);
      g_PendingMouseLParam = point;
      g_bMouseMovePending = 1;
    }
    return false;
  }
  if (m.msg == WM_KEYDOWN || m.msg == WM_KEYUP) {
    if (!g_bAutoPlay) return true;
    if (m.msg == WM_KEYDOWN && m.wParam == VK_ESCAPE) g_bStopRequest = 1;
    return false;
  }
  if (IsButtonMessage(m.msg)) return !g_bAutoPlay;
  return true;
}

bool DispatchPlayMessage(const Message& m) {
  const Point p = PointOf(m.lParam);
  switch (m.msg) {
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(m.wParam), static_cast<int>(m.lParam & 0xFFFF),
                static_cast<uint32_t>(m.lParam >> 16));
      return true;
    case WM_KEYUP:
      OnKeyUp(static_cast<int>(m.wParam), static_cast<int>(m.lParam & 0xFFFF),
              static_cast<uint32_t>(m.lParam >> 16));
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(m.wParam, p);
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(m.wParam, p);
      return true;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(m.wParam, p);
      return true;
    case WM_RBUTTONDOWN:
      OnRButtonDown(m.wParam, p);
      return true;
    case WM_RBUTTONDBLCLK:
      OnRButtonDblClk(m.wParam, p);
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp(m.wParam, p);
      return true;
    case WM_RBUTTONUP:
      OnRButtonUp(m.wParam, p);
      return true;
    case WM_STROKE_STEP:
      OnStrokeTick();
      return true;
    case WM_GLIDE_STEP:
      OnGlideTick();
      return true;
    case WM_MOUSE_RELEASE:
      OnDeferredMouseMove();
      return true;
    default:
      return false;
  }
}
