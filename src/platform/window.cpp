#include "platform/window.h"

#include "platform/platform.h"

namespace {
Window* W() { return g_Platform.window; }
}  // namespace

Rect GetMainWindowRect() { return W() ? W()->GetWindowRect() : Rect{0, 0, 0, 0}; }

Point ClientToScreen(Point c) {
  const Rect r = GetMainWindowRect();
  return {c.x + r.left, c.y + r.top};
}

Point ScreenToClient(Point s) {
  const Rect r = GetMainWindowRect();
  return {s.x - r.left, s.y - r.top};
}

Point GetCursorPos() { return W() ? W()->GetCursorPos() : Point{0, 0}; }
void SetSystemCursor(SystemCursor cursor) { if (W()) W()->SetCursor(cursor); }
void SetMouseCapture() { if (W()) W()->SetCapture(true); }
void ReleaseMouseCapture() { if (W()) W()->SetCapture(false); }
void ClipCursor(const Rect* screen) { if (W()) W()->ClipCursor(screen); }
void DragAcceptFiles(bool accept) { if (W()) W()->DragAcceptFiles(accept); }
std::vector<std::string> DragQueryFiles() { return W() ? W()->TakeDroppedFiles() : std::vector<std::string>{}; }
void MoveMainWindow(int x, int y) { if (W()) W()->MoveWindow(x, y); }
void MinimizeMainWindow() { if (W()) W()->Minimize(); }
