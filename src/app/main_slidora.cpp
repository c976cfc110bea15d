// Slidora Quenlo: the pedal-steel-guitar simulator. Takes no command-line
// options. Starts the system in its window and runs the message loop until the
// window is closed.
#include <memory>
#include <vector>

#include "app/frame_window.h"
#include "app/sld_app.h"
#include "model/settings.h"
#include "platform/message_loop.h"
#include "platform/platform.h"
#include "platform/sdl_message_box.h"
#include "platform/sdl_window.h"
#include "platform/system_midi.h"
#include "platform/timer_thread.h"
#include "ui/layout.h"

namespace {
// Longest wait for input before the loop looks at its window timers again.
constexpr int kIdleWaitMs = 10;
}  // namespace

int main() {
  SdlWindow window;
  TimerThread timers;
  WindowQueue queue(&window);
  SdlMessageBoxSink boxes(nullptr);
  std::unique_ptr<SystemMidiOut> midi;
  g_Platform.timers = &timers;
  g_Platform.queue = &queue;
  g_Platform.boxes = &boxes;

  CSLDApp app;
  AppHost host;
  host.screen_size = [] { return SdlWindow::QueryScreenSize(); };
  host.create_window = [&](Point at) {
    if (!window.Create(kWindowTitle, at.x, at.y, kWindowWidth, kWindowHeight)) return false;
    g_Platform.window = &window;
    g_Platform.pointer = &window;
    boxes.SetOwner(&window);
    return true;
  };
  host.install_midi = [&] {
    midi = std::make_unique<SystemMidiOut>(g_SettingsPath);
    g_Platform.midi = midi.get();
  };
  host.show_window = [&] { window.Show(); };

  int status = 0;
  if (app.InitInstance(host)) {
    MessageLoop loop;
    loop.SetDefaultHandler([&](const Message& m) { FrameWindowProc(m, [&] { app.OnClose(); }); });
    std::vector<Message> input;
    while (!app.closed()) {
      input.clear();
      window.WaitMessages(&input, kIdleWaitMs);
      for (const Message& m : input) {
        loop.Dispatch(m);
        if (app.closed()) break;
      }
      if (app.closed()) break;
      loop.DrainPending(queue.queue());
      if (app.closed()) break;
      app.OnIdle();
    }
    status = app.ExitInstance();
  }
  window.Destroy();
  g_Platform.window = nullptr;
  g_Platform.pointer = nullptr;
  g_Platform.boxes = nullptr;
  g_Platform.queue = nullptr;
  g_Platform.timers = nullptr;
  g_Platform.midi = nullptr;
  return status;
}
