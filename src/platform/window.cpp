#include "platform/window.h"

#include "platform/platform.h"

namespace {
Window* W() { return g_Platform.window; }
}  // namespace

Rect GetMainWindowRect() { return W() ? W()->GetWindowRect() : Rect{0, 0, 0, 0}; }
void DragAcceptFiles(bool accept) { if (W()) W()->DragAcceptFiles(accept); }
std::vector<std::string> DragQueryFiles() { return W() ? W()->TakeDroppedFiles() : std::vector<std::string>{}; }
void MoveMainWindow(int x, int y) { if (W()) W()->MoveWindow(x, y); }
void MinimizeMainWindow() { if (W()) W()->Minimize(); }
