#include "app/headless.h"

#include <cstdio>
#include <utility>

#include "app/frame_window.h"
#include "app/instrument_startup.h"
#include "app/json_string.h"
#include "app/reset.h"
#include "app/sld_app.h"
#include "midi/channels.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/bar_drawing.h"
#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "perform/view_filter.h"
#include "ui/controls.h"
#include "song/autoplay.h"
#include "song/autoplay_view.h"
#include "song/autoplay_start.h"
#include "ui/layout.h"
#include "ui/view_dispatch.h"

namespace {

constexpr uint32_t kKeyPreviousDown = 1u << 30;  // key message: the key was down before
constexpr uint32_t kKeyTransitionUp = 1u << 31;  // key message: the key is being released
constexpr LPARAM kKeyRepeatCountOne = 1;
constexpr int kVirtualKeyCount = 256;

}  // namespace

HeadlessSystem::HeadlessSystem()
    : saved_(g_Platform), pointer_(Rect{0, 0, kWindowWidth, kWindowHeight}) {
  g_Platform.midi = &port_;
  g_Platform.timers = &clock_;
  g_Platform.queue = &clock_;
  g_Platform.boxes = this;
  g_Platform.pointer = &pointer_;
  ResetAllState();
  clock_.SetHandler([this](const Message& m) { ToView(m); });
  clock_.SetIdleHook([this] { Idle(); });
}

HeadlessSystem::~HeadlessSystem() {
  g_Platform = saved_;
}

int HeadlessSystem::StartUp() {
  starting_ = true;
  BuildSettingsPath();
  view_.OnCreate();
  LoadAndBuildInstrument();
  mf_TimerInitialize();
  EnumerateAndOpen();
  g_CursorScreen = pointer_.GetCursorPos();
  g_CursorClient = pointer_.ScreenToClient(g_CursorScreen);
  view_.InvalidateRect(nullptr);  // the first paint
  view_.UpdateWindow();
  StartTimer(kTickTimerSlot);
  CollectMidi();
  starting_ = false;
  return 0;
}

int HeadlessSystem::Close() {
  if (closed_) return close_status_;
  closed_ = true;
  // As in the program: the open tuning editor's names are kept on any close.
  ApplyTuningNamesOnClose();
  CloseTimers();
  // A song still playing gives the upper neck back before anything is saved.
  StopAutoPlay();
  Settle();
  const Rect window = pointer_.WindowRect();
  std::string error;
  bool saved = SaveFramePosition(g_SettingsPath, {window.left, window.top}, &error);
  TimerRelease();
  if (saved) saved = SaveSettings(&error);
  ReleaseMidiPort();
  CollectMidi();
  if (!saved) {
    ReportSaveFailure(g_SettingsPath, error);
    close_status_ = 1;
  }
  return close_status_;
}

bool HeadlessSystem::InsideWindow(Point client) const {
  return client.x >= 0 && client.y >= 0 && client.x < kWindowWidth && client.y < kWindowHeight;
}

WPARAM HeadlessSystem::ButtonFlags() const {
  return (left_down_ ? MK_LBUTTON : 0) | (right_down_ ? MK_RBUTTON : 0);
}

void HeadlessSystem::MouseMove(Point p) {
  if (closed_) return;
  const Point at = pointer_.ScreenToClient(pointer_.MoveTo(pointer_.ClientToScreen(p)));
  // The window system asks the view for the cursor shape first.
  if (InsideWindow(at)) OnSetCursor(true);
  if (InsideWindow(at) || pointer_.captured()) {
    ToView(Message{WM_MOUSEMOVE, ButtonFlags(), MakePointParam(at.x, at.y)});
  }
  Settle();
}

void HeadlessSystem::Button(uint32_t msg, Point p) {
  if (closed_) return;
  const Point at = pointer_.ScreenToClient(pointer_.MoveTo(pointer_.ClientToScreen(p)));
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) left_down_ = true;
  if (msg == WM_LBUTTONUP) left_down_ = false;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) right_down_ = true;
  if (msg == WM_RBUTTONUP) right_down_ = false;
  if (InsideWindow(at) || pointer_.captured()) {
    ToView(Message{msg, ButtonFlags(), MakePointParam(at.x, at.y)});
  }
  Settle();
}

void HeadlessSystem::KeyDown(int vk) {
  if (closed_ || vk < 0 || vk >= kVirtualKeyCount) return;
  LPARAM l = kKeyRepeatCountOne;
  if (keys_down_[vk]) l |= kKeyPreviousDown;
  keys_down_[vk] = true;
  ToView(Message{WM_KEYDOWN, vk, l});
  Settle();
}

void HeadlessSystem::KeyUp(int vk) {
  if (closed_ || vk < 0 || vk >= kVirtualKeyCount) return;
  keys_down_[vk] = false;
  ToView(Message{WM_KEYUP, vk, static_cast<LPARAM>(kKeyRepeatCountOne | kKeyPreviousDown | kKeyTransitionUp)});
  Settle();
}

void HeadlessSystem::Drop(const std::string& path) { Drop(std::vector<std::string>{path}); }

void HeadlessSystem::Drop(const std::vector<std::string>& paths) {
  // The window takes drops only while the main frame accepts them.
  if (IsDropAccepted()) OnDropFiles(paths);
  Settle();
}

void HeadlessSystem::Type(const std::string& text) {
  for (unsigned char ch : text) {
    if (closed_) return;
    ToView(Message{WM_CHAR, ch, kKeyRepeatCountOne});
    Settle();
  }
}

void HeadlessSystem::Wait(int64_t ms) {
  if (closed_) return;
  clock_.Advance(ms);
  Settle();
}

void HeadlessSystem::ToView(const Message& m) {
  if (closed_) return;
  // Messages of the main window itself, posted by the window buttons.
  if (m.msg == WM_CLOSE) {
    Close();
    return;
  }
  if (m.msg == WM_SYSCOMMAND) {
    if (m.wParam == SC_MINIMIZE) minimized_ = true;
    return;
  }
  // Everything else goes the way the real window sends it: the view's window procedure.
  ViewWindowProc(m);
}

void HeadlessSystem::Idle() {
  if (idle_running_) return;
  idle_running_ = true;
  if (view_.HasInvalidArea()) view_.UpdateWindow();
  LeaveWindowCheck();
  idle_running_ = false;
}

void HeadlessSystem::Settle() {
  Idle();
  while (clock_.PendingCount() > 0) clock_.DeliverPending();
  CollectMidi();
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
