#include "app/headless.h"

#include <cstdio>

#include "app/reset.h"
#include "ui/layout.h"

namespace {

constexpr uint32_t kKeyPreviousDown = 1u << 30;  // key message: the key was down before
constexpr uint32_t kKeyTransitionUp = 1u << 31;  // key message: the key is being released
constexpr LPARAM kKeyRepeatCountOne = 1;
constexpr int kVirtualKeyCount = 256;

}  // namespace

HeadlessSystem::HeadlessSystem()
    : saved_(g_Platform),
      window_(0, 0, kWindowWidth, kWindowHeight, kHeadlessScreen),
      pointer_(&window_) {
  g_Platform.midi = &port_;
  g_Platform.timers = &clock_;
  g_Platform.queue = &clock_;
  g_Platform.boxes = this;
  ResetAllState();
  // The clock is the message loop: what it delivers goes to the frame, and
  // after each round the program goes idle.
  clock_.SetHandler([this](const Message& m) { app_.WindowProc(m); });
  clock_.SetIdleHook([this] { app_.OnIdle(); });
}

HeadlessSystem::~HeadlessSystem() {
  g_Platform = saved_;
}

int HeadlessSystem::StartUp() {
  if (started_) return 0;
  AppHost host;
  host.single_instance = false;
  host.screen_size = [] { return kHeadlessScreen; };
  host.create_window = [this](Point top_left) {
    window_.MoveWindow(top_left.x, top_left.y);
    g_Platform.window = &window_;
    g_Platform.pointer = &pointer_;
    return true;
  };
  // The recording port is in place from the start, so it needs no installing.
  starting_ = true;
  started_ = app_.InitInstance(host);
  CollectMidi();
  starting_ = false;
  return started_ ? 0 : 1;
}

int HeadlessSystem::Close() {
  if (started_ && !app_.closed()) Pass({Message{WM_CLOSE, 0, 0}});
  return exit_status_;
}

bool HeadlessSystem::InsideWindow(Point client) const {
  return client.x >= 0 && client.y >= 0 && client.x < kWindowWidth && client.y < kWindowHeight;
}

WPARAM HeadlessSystem::ButtonFlags() const {
  return (left_down_ ? MK_LBUTTON : 0) | (right_down_ ? MK_RBUTTON : 0);
}

void HeadlessSystem::MouseMove(Point p) {
  if (!started_ || closed()) return;
  const Point at = pointer_.ScreenToClient(pointer_.MoveTo(pointer_.ClientToScreen(p)));
  std::vector<Message> input;
  if (InsideWindow(at) && !pointer_.captured()) input.push_back({WM_SETCURSOR, 0, 0});
  if (InsideWindow(at) || pointer_.captured()) {
    input.push_back({WM_MOUSEMOVE, ButtonFlags(), MakePointParam(at.x, at.y)});
  }
  Pass(input);
}

void HeadlessSystem::Button(uint32_t msg, Point p) {
  if (!started_ || closed()) return;
  const Point at = pointer_.ScreenToClient(pointer_.MoveTo(pointer_.ClientToScreen(p)));
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) left_down_ = true;
  if (msg == WM_LBUTTONUP) left_down_ = false;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) right_down_ = true;
  if (msg == WM_RBUTTONUP) right_down_ = false;
  std::vector<Message> input;
  if (InsideWindow(at) || pointer_.captured()) input.push_back({msg, ButtonFlags(), MakePointParam(at.x, at.y)});
  Pass(input);
}

void HeadlessSystem::KeyDown(int vk) {
  if (!started_ || closed() || vk < 0 || vk >= kVirtualKeyCount) return;
  LPARAM l = kKeyRepeatCountOne;
  if (keys_down_[vk]) l |= kKeyPreviousDown;
  keys_down_[vk] = true;
  Pass({Message{WM_KEYDOWN, vk, l}});
}

void HeadlessSystem::KeyUp(int vk) {
  if (!started_ || closed() || vk < 0 || vk >= kVirtualKeyCount) return;
  keys_down_[vk] = false;
  Pass({Message{WM_KEYUP, vk, static_cast<LPARAM>(kKeyRepeatCountOne | kKeyPreviousDown | kKeyTransitionUp)}});
}

void HeadlessSystem::Drop(const std::string& path) { Drop(std::vector<std::string>{path}); }

void HeadlessSystem::Drop(const std::vector<std::string>& paths) {
  if (!started_ || closed()) return;
  std::vector<Message> input;
  if (window_.DropFiles(paths)) input.push_back({WM_DROPFILES, 0, 0});
  Pass(input);
}

void HeadlessSystem::Type(const std::string& text) {
  for (unsigned char ch : text) {
    if (!started_ || closed()) return;
    Pass({Message{WM_CHAR, ch, 0}});
  }
}

void HeadlessSystem::Wait(int64_t ms) {
  if (!started_ || closed()) return;
  clock_.Advance(ms);
  FinishPass();
}

void HeadlessSystem::Pass(const std::vector<Message>& input) {
  for (const Message& m : input) app_.WindowProc(m);
  FinishPass();
}

void HeadlessSystem::FinishPass() {
  // Posted messages are delivered in rounds, each ending idle; with none the
  // pass goes idle at once.
  if (clock_.PendingCount() == 0) app_.OnIdle();
  while (clock_.PendingCount() > 0) clock_.DeliverPending();
  CollectMidi();
  if (app_.closed() && !exited_) {
    // The loop has ended: the program's exit.
    exited_ = true;
    exit_status_ = app_.ExitInstance();
    CollectMidi();
  }
}

HeadlessEvent HeadlessSystem::NewEvent(HeadlessEvent::Kind kind, int64_t time_ms) const {
  HeadlessEvent e;
  e.kind = kind;
  e.time_ms = time_ms;
  e.during_startup = starting_;
  return e;
}

void HeadlessSystem::CollectMidi() {
  const std::vector<RecordedMidi>& log = port_.Log();
  for (; midi_seen_ < log.size(); ++midi_seen_) {
    const RecordedMidi& r = log[midi_seen_];
    if (r.kind != RecordedMidi::kShort) continue;
    HeadlessEvent e = NewEvent(HeadlessEvent::kMidi, r.time_ms);
    e.packed = r.packed;
    events_.push_back(e);
  }
}

void HeadlessSystem::Show(const std::string& text, const std::string& caption, int type) {
  CollectMidi();
  HeadlessEvent e = NewEvent(HeadlessEvent::kBox, clock_.NowMs());
  e.text = text;
  e.caption = caption;
  e.type = type;
  events_.push_back(e);
}

void HeadlessSystem::Beep(int type) {
  CollectMidi();
  HeadlessEvent e = NewEvent(HeadlessEvent::kBeep, clock_.NowMs());
  e.type = type;
  events_.push_back(e);
}

std::vector<HeadlessEvent> HeadlessSystem::TakeEvents() {
  CollectMidi();
  std::vector<HeadlessEvent> out;
  out.swap(events_);
  return out;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", c);
          out += esc;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
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
