#include "ui/view_dispatch.h"

#include "perform/view_filter.h"
#include "ui/stand_ins.h"
#include "ui/view.h"

std::function<void(const Message&)> g_PanelHandler = PanelStandIn;

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

}  // namespace

void ViewWindowProc(const Message& m) {
  if (RouteToNameBoxes(m)) return;
  if (!FilterViewMessage(m)) return;
  const bool played = DispatchPlayMessage(m);
  // A button is a pedal on a neck and a control elsewhere: both parts see it.
  const bool button = m.msg >= WM_LBUTTONDOWN && m.msg <= WM_RBUTTONDBLCLK;
  if (g_PanelHandler && (!played || button)) g_PanelHandler(m);
}
