#include "platform/win32_window.h"

#include "platform/win32_api.h"

namespace {

constexpr const char* kClassName = "SlidoraFrame";
// Posted to the window to end a message wait; carries nothing.
constexpr UINT kWakeMessage = WM_APP + 1;

HWND Hwnd(void* w) { return static_cast<HWND>(w); }

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WIN32_WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  intptr_t result = 0;
  if (window && window->Handle(msg, wparam, lparam, &result)) return result;
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

bool RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    // Double clicks arrive as such, as the panel's spin buttons expect.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
  }();
  return registered;
}

bool IsInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

}  // namespace

Win32Window::~Win32Window() { Destroy(); }

Point Win32Window::QueryScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32Window::Create(const char* title, int x, int y, int width, int height) {
  if (!RegisterFrameClass()) return false;
  // A popup window has no caption and no frame: the panel draws everything.
  // The minimise box and system menu draw nothing here; they let the taskbar
  // button minimise and restore the window, and Alt+F4 close it.
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;
  HWND hwnd = CreateWindowExA(0, kClassName, title, style, x, y, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
  if (!hwnd) return false;
  m_Window = hwnd;
  m_Rect = {x, y, x + width, y + height};
  m_Cursor = LoadCursor(nullptr, IDC_ARROW);
  return true;
}

void Win32Window::Show() {
  if (!m_Window) return;
  ShowWindow(Hwnd(m_Window), SW_SHOW);
  SetForegroundWindow(Hwnd(m_Window));
  UpdateWindow(Hwnd(m_Window));
}

void Win32Window::Destroy() {
  if (!m_Window) return;
  ::ClipCursor(nullptr);
  if (GetCapture() == Hwnd(m_Window)) ::ReleaseCapture();
  HWND hwnd = Hwnd(m_Window);
  m_Window = nullptr;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
}

void Win32Window::Wake() {
  if (!m_Window || m_WakePending.exchange(true)) return;  // one wake-up waiting is enough
  PostMessageA(Hwnd(m_Window), kWakeMessage, 0, 0);
}

void Win32Window::WaitMessages(std::vector<Message>* out, int timeout_ms) {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeout_ms), QS_ALLINPUT);
  }
  m_Collect = out;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  m_Collect = nullptr;
}

bool Win32Window::Handle(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  *result = 0;
  if (msg == kWakeMessage) {
    m_WakePending = false;
    return true;
  }
  if (msg == WM_PAINT) {
    PaintClient();
    return true;
  }
  if (msg == WM_ERASEBKGND) {
    *result = 1;  // the paint covers the whole client area
    return true;
  }
  if (msg == WM_MOVE) {
    RECT r;
    if (::GetWindowRect(Hwnd(m_Window), &r)) m_Rect = {r.left, r.top, r.right, r.bottom};
    return false;
  }
  // Input while a message box runs its own loop is the box's: the panel never
  // sees it (a button released meanwhile is told by the next mouse message).
  if (!m_Collect) return msg == WM_CLOSE || msg == WM_DROPFILES || IsInput(msg) || msg == WM_CHAR;
  const WPARAM w = static_cast<WPARAM>(wparam);
  switch (msg) {
    case WM_CLOSE:
      m_Collect->push_back({WM_CLOSE, 0, 0});
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) return false;
      // The panel chooses the shape as the message reaches it; until then the
      // last one stays.
      if (GetCapture() != Hwnd(m_Window)) m_Collect->push_back({WM_SETCURSOR, 0, 0});
      SetCursor(static_cast<HCURSOR>(m_Cursor));
      *result = TRUE;
      return true;
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wparam);
      std::vector<std::string> files;
      const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(length);
        files.push_back(name);
      }
      DragFinish(drop);
      if (!files.empty()) {
        m_Dropped = std::move(files);
        m_Collect->push_back({WM_DROPFILES, 0, 0});
      }
      return true;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      // The view's messages are the window system's own.
      m_Collect->push_back({msg, w, static_cast<LPARAM>(lparam)});
      return true;
    default:
      return false;
  }
}

void Win32Window::PaintClient() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(m_Window), &ps);
  if (m_LastClient && !m_LastClient->empty()) {
    const Picture& c = *m_LastClient;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.width();
    info.bmiHeader.biHeight = -c.height();  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(c.width()), static_cast<DWORD>(c.height()), 0, 0, 0,
                      static_cast<UINT>(c.height()), c.pixels().data(), &info, DIB_RGB_COLORS);
  }
  EndPaint(Hwnd(m_Window), &ps);
}

void Win32Window::Present(const Picture& client, const std::vector<Rect>& rects) {
  m_LastClient = &client;
  if (!m_Window || client.empty()) return;
  HDC dc = GetDC(Hwnd(m_Window));
  if (!dc) return;
  // The picture's pixels (0x00RRGGBB) are a 32-bit DIB as they lie in memory.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.width();
  info.bmiHeader.biHeight = -client.height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  for (const Rect& r : rects) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) continue;
    // Source rows are counted from the bottom for SetDIBitsToDevice even for a
    // top-down DIB: the scan lines handed over are the whole picture.
    SetDIBitsToDevice(dc, r.left, r.top, static_cast<DWORD>(w), static_cast<DWORD>(h), r.left,
                      client.height() - r.bottom, 0, static_cast<UINT>(client.height()),
                      client.pixels().data(), &info, DIB_RGB_COLORS);
  }
  ReleaseDC(Hwnd(m_Window), dc);
}

Rect Win32Window::GetWindowRect() const { return m_Rect; }

void Win32Window::MoveWindow(int x, int y) {
  const int w = m_Rect.right - m_Rect.left, h = m_Rect.bottom - m_Rect.top;
  m_Rect = {x, y, x + w, y + h};
  if (m_Window) SetWindowPos(Hwnd(m_Window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::Minimize() {
  if (m_Window) ShowWindow(Hwnd(m_Window), SW_MINIMIZE);
}

Point Win32Window::ScreenSize() const { return QueryScreenSize(); }

void Win32Window::DragAcceptFiles(bool accept) {
  if (m_Window) ::DragAcceptFiles(Hwnd(m_Window), accept ? TRUE : FALSE);
}

std::vector<std::string> Win32Window::TakeDroppedFiles() {
  std::vector<std::string> out;
  out.swap(m_Dropped);
  return out;
}

void Win32Window::SetCursorShape(CursorShape shape) {
  LPCSTR id = shape == CursorShape::Cross ? IDC_CROSS : shape == CursorShape::SizeAll ? IDC_SIZEALL : IDC_ARROW;
  m_Cursor = LoadCursor(nullptr, id);
  SetCursor(static_cast<HCURSOR>(m_Cursor));
}

void Win32Window::SetCapture() {
  if (m_Window) ::SetCapture(Hwnd(m_Window));
}

void Win32Window::ReleaseCapture() { ::ReleaseCapture(); }

void Win32Window::ClipCursor(const Rect* screen) {
  if (!screen) {
    ::ClipCursor(nullptr);
    return;
  }
  const RECT r{screen->left, screen->top, screen->right, screen->bottom};
  ::ClipCursor(&r);
}

Point Win32Window::ClientToScreen(Point c) const {
  POINT p{c.x, c.y};
  if (m_Window) ::ClientToScreen(Hwnd(m_Window), &p);
  return {p.x, p.y};
}

Point Win32Window::ScreenToClient(Point s) const {
  POINT p{s.x, s.y};
  if (m_Window) ::ScreenToClient(Hwnd(m_Window), &p);
  return {p.x, p.y};
}

Point Win32Window::GetCursorPos() const {
  POINT p{0, 0};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}
