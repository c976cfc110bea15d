#include "perform/view_filter.h"

#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/keyboard.h"
#include "perform/slide_bar.h"
#include "perform/timed_motions.h"

namespace {

Point PointOf(LPARAM l) { return {PointX(l), PointY(l)}; }

bool IsButtonMessage(uint32_t msg) { return msg >= WM_LBUTTONDOWN && msg <= WM_RBUTTONDBLCLK; }

void (*g_RequestSongStop)() = nullptr;

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
    if (m.msg == WM_KEYDOWN && m.wParam == VK_ESCAPE && g_RequestSongStop) g_RequestSongStop();
    return false;
  }
  if (IsButtonMessage(m.msg)) return !g_bAutoPlay;
  return true;
}

void SetSongStopRequest(void (*request)()) { g_RequestSongStop = request; }

bool DispatchPlayMessage(const Message& m) {
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
      OnMouseMove(m.wParam, PointOf(m.lParam));
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
