// The application: start-up in its fixed order (single instance, settings,
// frame and view, tables, channels, timers, port, window, tick), the frame's
// message procedure, the idle step, the close request, the frame's destruction
// and the exit. The program on the desktop and the headless system are both
// this object, each with its own host.
#pragma once

#include <functional>
#include <string>

#include "platform/instance_lock.h"
#include "platform/messages.h"
#include "ui/view.h"

inline constexpr const char* kAppCaption = "Slidora Quenlo";
inline constexpr const char* kAlreadyStartingText = "Slidora Quenlo is already starting.";

// What the platform provides to the start-up.
struct AppHost {
  std::string lock_dir;  // folder of the single-instance lock; "" the runtime folder
  // A system without a window on the desktop is no running copy for the
  // single-instance rule: it neither takes nor honours the lock.
  bool single_instance = true;
  // The screen size, asked before the frame is created.
  std::function<Point()> screen_size;
  // Creates the hidden frame window at a screen point and installs it (and its
  // pointer) into g_Platform. False when no window can be had.
  std::function<bool(Point top_left)> create_window;
  // Installs the MIDI output, once the settings path is known.
  std::function<void()> install_midi;
  // Shows the frame window.
  std::function<void()> show_window;
  // A take never saved is saved at the exit. Off for tools that only
  // perform a song file, which is kept already.
  bool save_take_at_exit = true;
};

class CSLDApp {
 public:
  CSLDApp() = default;
  ~CSLDApp();
  CSLDApp(const CSLDApp&) = delete;
  CSLDApp& operator=(const CSLDApp&) = delete;

  // True to run the message loop, false to quit.
  bool InitInstance(const AppHost& host);
  // The frame's message procedure, as the message loop calls it for every
  // input and posted message; nothing reaches the destroyed frame.
  void WindowProc(const Message& m);
  // Close request: timers stopped, then the frame destroyed (its place saved).
  void OnClose();
  bool closed() const { return m_Closed; }
  // After the loop: timer period released, settings written. Returns 0, or 1
  // when the settings file could not be written (the player was told).
  int ExitInstance();
  // Every idle pass of the message loop: paint what was invalidated, then
  // notice the pointer leaving the window. Nothing once the frame is gone.
  void OnIdle();

  CSLDView& view() { return m_View; }

 private:
  void OnDestroyFrame();

  InstanceLock m_Lock;
  CSLDView m_View;
  bool m_Closed = false;
  bool m_SaveTakeAtExit = true;
  std::string m_SaveError;  // why the window position could not be saved
};

// Tells the player that the settings file could not be written at exit: a box
// naming the file and the reason, and the same text on standard error.
void ReportSaveFailure(const std::string& path, const std::string& reason);

extern CSLDApp* g_pApp;
