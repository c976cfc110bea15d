#include "app/headless.h"

#include <cstdio>

#include "app/json_string.h"
#include "app/reset.h"
#include "ui/layout.h"

namespace {

constexpr uint32_t kKeyPreviousDown = 1u << 30;  // key message: the key was down before
constexpr uint32_t kKeyTransitionUp = 1u << 31;  // key message: the key is being released
constexpr LPARAM kKeyRepeatCountOne = 1;
constexpr int kVirtualKeyCount = 256;

}  // namespace

HeadlessSystem::HeadlessSystem()
    : m_Saved(g_Platform),
      m_Window(0, 0, kWindowWidth, kWindowHeight, kHeadlessScreen),
      m_Pointer(&m_Window) {
  g_Platform.midi = &m_Port;
  g_Platform.timers = &m_Clock;
  g_Platform.queue = &m_Clock;
  g_Platform.boxes = this;
  ResetAllState();
  // The clock is the message loop: what it delivers goes to the frame, and
  // after each round the program goes idle.
  m_Clock.SetHandler([this](const Message& m) { m_App.WindowProc(m); });
  m_Clock.SetIdleHook([this] { m_App.OnIdle(); });
}

HeadlessSystem::~HeadlessSystem() {
  g_Platform = m_Saved;
}

int HeadlessSystem::StartUp() {
  if (m_Started) return 0;
  AppHost host;
  host.single_instance = false;
  host.save_take_at_exit = m_SaveTakeAtExit;
  host.screen_size = [] { return kHeadlessScreen; };
  host.create_window = [this](Point top_left) {
    m_Window.MoveWindow(top_left.x, top_left.y);
    g_Platform.window = &m_Window;
    g_Platform.pointer = &m_Pointer;
    return true;
  };
  // The recording port is in place from the start, so it needs no installing.
  m_Starting = true;
  m_Started = m_App.InitInstance(host);
  CollectMidi();
  m_Starting = false;
  return m_Started ? 0 : 1;
}

int HeadlessSystem::Close() {
  if (m_Started && !m_App.closed()) Pass({Message{WM_CLOSE, 0, 0}});
  return m_ExitStatus;
}

bool HeadlessSystem::InsideWindow(Point client) const {
  return client.x >= 0 && client.y >= 0 && client.x < kWindowWidth && client.y < kWindowHeight;
}

WPARAM HeadlessSystem::ButtonFlags() const {
  return (m_LeftDown ? MK_LBUTTON : 0) | (m_RightDown ? MK_RBUTTON : 0);
}

void HeadlessSystem::MouseMove(Point p) {
  if (!m_Started || closed()) return;
  const Point at = m_Pointer.ScreenToClient(m_Pointer.MoveTo(m_Pointer.ClientToScreen(p)));
  std::vector<Message> input;
  if (InsideWindow(at) && !m_Pointer.captured()) input.push_back({WM_SETCURSOR, 0, 0});
  if (InsideWindow(at) || m_Pointer.captured()) {
    input.push_back({WM_MOUSEMOVE, ButtonFlags(), MakePointParam(at.x, at.y)});
  }
  Pass(input);
}

void HeadlessSystem::Button(uint32_t msg, Point p) {
  if (!m_Started || closed()) return;
  const Point at = m_Pointer.ScreenToClient(m_Pointer.MoveTo(m_Pointer.ClientToScreen(p)));
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) m_LeftDown = true;
  if (msg == WM_LBUTTONUP) m_LeftDown = false;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) m_RightDown = true;
  if (msg == WM_RBUTTONUP) m_RightDown = false;
  std::vector<Message> input;
  if (InsideWindow(at) || m_Pointer.captured()) input.push_back({msg, ButtonFlags(), MakePointParam(at.x, at.y)});
  Pass(input);
}

void HeadlessSystem::KeyDown(int vk) {
  if (!m_Started || closed() || vk < 0 || vk >= kVirtualKeyCount) return;
  LPARAM l = kKeyRepeatCountOne;
  if (m_KeysDown[vk]) l |= kKeyPreviousDown;
  m_KeysDown[vk] = true;
  Pass({Message{WM_KEYDOWN, vk, l}});
}

void HeadlessSystem::KeyUp(int vk) {
  if (!m_Started || closed() || vk < 0 || vk >= kVirtualKeyCount) return;
  m_KeysDown[vk] = false;
  Pass({Message{WM_KEYUP, vk, static_cast<LPARAM>(kKeyRepeatCountOne | kKeyPreviousDown | kKeyTransitionUp)}});
}

void HeadlessSystem::Drop(const std::string& path) { Drop(std::vector<std::string>{path}); }

void HeadlessSystem::Drop(const std::vector<std::string>& paths) {
  if (!m_Started || closed()) return;
  std::vector<Message> input;
  if (m_Window.DropFiles(paths)) input.push_back({WM_DROPFILES, 0, 0});
  Pass(input);
}

void HeadlessSystem::Type(const std::string& text) {
  for (unsigned char ch : text) {
    if (!m_Started || closed()) return;
    Pass({Message{WM_CHAR, ch, 0}});
  }
}

void HeadlessSystem::Wait(int64_t ms) {
  if (!m_Started || closed()) return;
  m_Clock.Advance(ms);
  FinishPass();
}

void HeadlessSystem::Pass(const std::vector<Message>& input) {
  for (const Message& m : input) m_App.WindowProc(m);
  FinishPass();
}

void HeadlessSystem::FinishPass() {
  // Posted messages are delivered in rounds, each ending idle; with none the
  // pass goes idle at once.
  if (m_Clock.PendingCount() == 0) m_App.OnIdle();
  while (m_Clock.PendingCount() > 0) m_Clock.DeliverPending();
  CollectMidi();
  if (m_App.closed() && !m_Exited) {
    // The loop has ended: the program's exit.
    m_Exited = true;
    m_ExitStatus = m_App.ExitInstance();
    CollectMidi();
  }
}

HeadlessEvent HeadlessSystem::NewEvent(HeadlessEvent::Kind kind, int64_t time_ms) const {
  HeadlessEvent e;
  e.kind = kind;
  e.time_ms = time_ms;
  e.during_startup = m_Starting;
  return e;
}

void HeadlessSystem::CollectMidi() {
  const std::vector<RecordedMidi>& log = m_Port.Log();
  for (; m_MidiSeen < log.size(); ++m_MidiSeen) {
    const RecordedMidi& r = log[m_MidiSeen];
    if (r.kind != RecordedMidi::kShort) continue;
    HeadlessEvent e = NewEvent(HeadlessEvent::kMidi, r.time_ms);
    e.packed = r.packed;
    m_Events.push_back(e);
  }
}

void HeadlessSystem::Show(const std::string& text, const std::string& caption, int type) {
  CollectMidi();
  HeadlessEvent e = NewEvent(HeadlessEvent::kBox, m_Clock.NowMs());
  e.text = text;
  e.caption = caption;
  e.type = type;
  m_Events.push_back(e);
}

void HeadlessSystem::Beep(int type) {
  CollectMidi();
  HeadlessEvent e = NewEvent(HeadlessEvent::kBeep, m_Clock.NowMs());
  e.type = type;
  m_Events.push_back(e);
}

std::vector<HeadlessEvent> HeadlessSystem::TakeEvents() {
  CollectMidi();
  std::vector<HeadlessEvent> out;
  out.swap(m_Events);
  return out;
}

std::string FormatHeadlessEvent(const HeadlessEvent& e, int64_t origin_ms) {
  const long long t = e.during_startup ? 0 : static_cast<long long>(e.time_ms - origin_ms);
  char head[96];
  switch (e.kind) {
    case HeadlessEvent::kMidi: {
      const uint32_t status = e.packed & 0xFF;
      // Program change and channel pressure carry one data byte.
      const bool two_bytes = status >= 0xC0 && status <= 0xDF;
      std::snprintf(head, sizeof head, "%lld %02x %02x %02x", t, status, (e.packed >> 8) & 0xFF,
                    two_bytes ? 0u : (e.packed >> 16) & 0xFF);
      return head;
    }
    case HeadlessEvent::kBox:
      std::snprintf(head, sizeof head, "%lld box %d ", t, e.type);
      return head + JsonString(e.caption) + "|" + JsonString(e.text);
    case HeadlessEvent::kBeep:
    default:
      std::snprintf(head, sizeof head, "%lld beep", t);
      return head;
  }
}
