#include "ui/view_dispatch.h"

#include "ui/view.h"

ViewHandlers g_ViewHandlers;

namespace {

// Clicks on a shown name box focus it; a click elsewhere in the view takes the
// focus back to the view. Keys go to the focused box. True when a box took it.
bool RouteToNameBoxes(const Message& m) {
  if (!g_pView) return false;
  TuningNameEdit* focused = nullptr;
  for (TuningNameEdit& box : g_pView->m_TuningNameEdit) {
    if (box.focused()) focused = &box;
  }
  switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      const int x = PointX(m.lParam), y = PointY(m.lParam);
      for (TuningNameEdit& box : g_pView->m_TuningNameEdit) {
        if (!box.Contains(x, y)) continue;
        if (focused && focused != &box) focused->SetFocus(false);
        box.SetFocus(true);
        box.OnClick(x, g_pView->FontArial17);
        g_pView->InvalidateRect(&box.rect());
        return true;
      }
      if (focused) {
        focused->SetFocus(false);
        g_pView->InvalidateRect(&focused->rect());
      }
      return false;
    }
    case WM_CHAR:
      if (!focused) return false;
      focused->OnChar(static_cast<unsigned>(m.wParam));
      g_pView->InvalidateRect(&focused->rect());
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (!focused) return false;
      if (m.msg == WM_KEYDOWN) focused->OnKeyDown(static_cast<int>(m.wParam));
      g_pView->InvalidateRect(&focused->rect());
      return true;
    default:
      return false;
  }
}

template <typename F, typename... A>
void Call(const F& f, A... args) {
  if (f) f(args...);
}

}  // namespace

void ViewDispatch(const Message& m) {
  const ViewHandlers& h = g_ViewHandlers;
  const Point p{PointX(m.lParam), PointY(m.lParam)};
  switch (m.msg) {
    case WM_KEYDOWN: Call(h.OnKeyDown, static_cast<uint32_t>(m.wParam), m.lParam); return;
    case WM_KEYUP: Call(h.OnKeyUp, static_cast<uint32_t>(m.wParam), m.lParam); return;
    case WM_MOUSEMOVE: Call(h.OnMouseMove, m.wParam, p); return;
    case WM_LBUTTONDOWN: Call(h.OnLButtonDown, m.wParam, p); return;
    case WM_LBUTTONUP: Call(h.OnLButtonUp, m.wParam, p); return;
    case WM_LBUTTONDBLCLK: Call(h.OnLButtonDblClk, m.wParam, p); return;
    case WM_RBUTTONDOWN: Call(h.OnRButtonDown, m.wParam, p); return;
    case WM_RBUTTONUP: Call(h.OnRButtonUp, m.wParam, p); return;
    case WM_RBUTTONDBLCLK: Call(h.OnRButtonDblClk, m.wParam, p); return;
    case WM_TIMER: Call(h.OnTimer, static_cast<uintptr_t>(m.wParam)); return;
    default: Call(h.OnOther, m); return;
  }
}

void ViewWindowProc(const Message& m) {
  if (RouteToNameBoxes(m)) return;
  if (g_ViewHandlers.filter && g_ViewHandlers.filter(m)) return;
  ViewDispatch(m);
}
