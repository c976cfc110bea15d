#include "app/desktop_program.h"

#include <vector>

#include "app/frame_window.h"
#include "model/settings.h"
#include "platform/platform.h"
#include "ui/layout.h"

namespace {
// Longest wait for input before the loop looks at its window timers again.
constexpr int kIdleWaitMs = 10;
}  // namespace

DesktopProgram::DesktopProgram() : queue_(&window_), boxes_(nullptr) {
  g_Platform.timers = &timers_;
  g_Platform.queue = &queue_;
  g_Platform.boxes = &boxes_;
  loop_.SetDefaultHandler([this](const Message& m) { app_.WindowProc(m); });
}

DesktopProgram::~DesktopProgram() {
  window_.Destroy();
  g_Platform.window = nullptr;
  g_Platform.pointer = nullptr;
  g_Platform.boxes = nullptr;
  g_Platform.queue = nullptr;
  g_Platform.timers = nullptr;
  g_Platform.midi = nullptr;
}

bool DesktopProgram::Start(const std::string& lock_dir) {
  AppHost host;
  host.lock_dir = lock_dir;
  host.screen_size = [] { return SdlWindow::QueryScreenSize(); };
  host.create_window = [this](Point at) {
    if (!window_.Create(kWindowTitle, at.x, at.y, kWindowWidth, kWindowHeight)) return false;
    g_Platform.window = &window_;
    g_Platform.pointer = &window_;
    boxes_.SetOwner(&window_);
    return true;
  };
  host.install_midi = [this] {
    midi_ = std::make_unique<SystemMidiOut>(g_SettingsPath);
    g_Platform.midi = midi_.get();
  };
  host.show_window = [this] { window_.Show(); };
  started_ = app_.InitInstance(host);
  return started_;
}

int DesktopProgram::Run() {
  if (!started_) return 0;
  std::vector<Message> input;
  while (!app_.closed()) {
    input.clear();
    window_.WaitMessages(&input, kIdleWaitMs);
    for (const Message& m : input) {
      loop_.Dispatch(m);
      if (app_.closed()) break;
    }
    if (app_.closed()) break;
    loop_.DrainPending(queue_.queue());
    app_.OnIdle();
  }
  started_ = false;
  return app_.ExitInstance();
}

void DesktopProgram::RequestClose() { queue_.Post(Message{WM_CLOSE, 0, 0}); }
