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

DesktopProgram::DesktopProgram() : m_Queue(&m_Window), m_Boxes(nullptr) {
  g_Platform.timers = &m_Timers;
  g_Platform.queue = &m_Queue;
  g_Platform.boxes = &m_Boxes;
  m_Loop.SetDefaultHandler([this](const Message& m) { m_App.WindowProc(m); });
}

DesktopProgram::~DesktopProgram() {
  m_Window.Destroy();
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
  host.screen_size = [] { return DesktopWindow::QueryScreenSize(); };
  host.create_window = [this](Point at) {
    if (!m_Window.Create(kWindowTitle, at.x, at.y, kWindowWidth, kWindowHeight)) return false;
    g_Platform.window = &m_Window;
    g_Platform.pointer = &m_Window;
    m_Boxes.SetOwner(&m_Window);
    return true;
  };
  host.install_midi = [this] {
    m_Midi = std::make_unique<DesktopMidiOut>(g_SettingsPath);
    m_Midi->ListPortsAhead();
    g_Platform.midi = m_Midi.get();
  };
  host.show_window = [this] { m_Window.Show(); };
  m_Started = m_App.InitInstance(host);
  return m_Started;
}

int DesktopProgram::Run() {
  if (!m_Started) return 0;
  std::vector<Message> input;
  while (!m_App.closed()) {
    input.clear();
    m_Window.WaitMessages(&input, kIdleWaitMs);
    for (const Message& m : input) {
      m_Loop.Dispatch(m);
      if (m_App.closed()) break;
    }
    if (m_App.closed()) break;
    m_Loop.DrainPending(m_Queue.queue());
    m_App.OnIdle();
  }
  m_Started = false;
  return m_App.ExitInstance();
}

void DesktopProgram::RequestClose() { m_Queue.Post(Message{WM_CLOSE, 0, 0}); }
