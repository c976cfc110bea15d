#include "app/sld_app.h"

#include <cstdio>

#include "app/frame_window.h"
#include "app/instrument_startup.h"
#include "app/take_playback.h"
#include "app/takes.h"
#include "midi/channels.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/window.h"
#include "song/autoplay.h"
#include "ui/controls.h"

CSLDApp* g_pApp = nullptr;

CSLDApp::~CSLDApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

bool CSLDApp::InitInstance(const AppHost& host) {
  g_pApp = this;
  m_SaveTakeAtExit = host.save_take_at_exit;
  if (host.single_instance && !m_Lock.Acquire(kWindowTitle, host.lock_dir)) {
    ShowMessageBox(kAlreadyStartingText, kAppCaption, MB_OK);
    return false;
  }
  BuildSettingsPath();
  // The driver first: it looks its ports up while the window is made.
  if (host.install_midi) host.install_midi();

  // The frame, where it stood last time but on the screen, and the view.
  const Point screen = host.screen_size ? host.screen_size() : Point{0, 0};
  const Point stored = StoredFramePosition(g_SettingsPath);
  if (!host.create_window || !host.create_window(FramePosition(stored.x, stored.y, screen))) return false;
  // The view's creation also links it to the playing code (the bar, the hint,
  // the window drag, a spin button left by the pointer).
  m_View.OnCreate();
  m_View.SetPresenter([](const Picture& client, const std::vector<Rect>& rects) {
    if (g_Platform.window) g_Platform.window->Present(client, rects);
  });

  LoadAndBuildInstrument();
  mf_TimerInitialize();
  EnumerateAndOpen();

  if (host.show_window) host.show_window();
  DragAcceptFiles(true);
  if (g_Platform.pointer) {
    g_CursorScreen = g_Platform.pointer->GetCursorPos();
    g_CursorClient = g_Platform.pointer->ScreenToClient(g_CursorScreen);
  }
  m_View.InvalidateRect(nullptr);
  m_View.UpdateWindow();
  StartTimer(kTickTimerSlot);
  return true;
}

void CSLDApp::WindowProc(const Message& m) {
  if (m_Closed) return;
  FrameWindowProc(m, [this] { OnClose(); });
}

void CSLDApp::OnClose() {
  if (m_Closed) return;
  // Names typed into the open tuning editor are kept however the window is
  // closed, not only through the panel's close button.
  ApplyTuningNamesOnClose();
  CloseTimers();
  // A song or a file still playing gives the channels back before anything
  // is saved.
  StopTakePlayback();
  StopAutoPlay();
  // Closing the window never loses what was played.
  if (m_SaveTakeAtExit) SaveTakeAtExit();
  OnDestroyFrame();
}

void CSLDApp::OnDestroyFrame() {
  const Rect r = GetMainWindowRect();
  SaveFramePosition(g_SettingsPath, {r.left, r.top}, &m_SaveError);
  m_Closed = true;
}

int CSLDApp::ExitInstance() {
  TimerRelease();
  std::string error;
  const bool saved = SaveSettings(&error);
  ReleaseMidiPort();
  m_Lock.Release();
  if (g_pApp == this) g_pApp = nullptr;
  if (saved && m_SaveError.empty()) return 0;
  // The player must learn that the session's changes did not reach the file;
  // the first failure says why.
  ReportSaveFailure(g_SettingsPath, m_SaveError.empty() ? error : m_SaveError);
  return 1;
}

void ReportSaveFailure(const std::string& path, const std::string& reason) {
  const std::string text = SaveFailureText(path, reason);
  std::fprintf(stderr, "%s\n", text.c_str());
  ShowMessageBox(text, kAppCaption, MB_ICONHAND | MB_OK);
}

void CSLDApp::OnIdle() {
  if (m_Closed) return;
  if (WatchMidiPort()) m_View.ShowMidiPortState();
  if (m_View.HasInvalidArea()) m_View.UpdateWindow();
  m_View.Present();
  LeaveWindowCheck();
}
