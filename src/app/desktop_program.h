// The program on the desktop: the application object hosted on the real
// window, the system's timers, the system's MIDI output and the program's own
// message boxes; its start-up and its message loop. main() is these two
// calls, and the start-up benchmark times the same start.
#pragma once

#include <memory>
#include <string>

#include "app/sld_app.h"
#include "platform/desktop_services.h"
#include "platform/message_loop.h"

class DesktopProgram {
 public:
  DesktopProgram();
  // Destroys the window and takes the services out of g_Platform.
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  // The program's start-up, up to the first paint and the 5 ms tick. lock_dir
  // is the folder of the single-instance lock ("" the user's runtime folder).
  // False when the program is to quit at once.
  bool Start(const std::string& lock_dir = "");
  // The message loop until the window is closed, then the exit. Returns the
  // program's exit status (1 when the settings could not be saved).
  int Run();
  // Asks the program to close as the window manager does (a posted WM_CLOSE).
  void RequestClose();

 private:
  DesktopWindow m_Window;
  DesktopTimers m_Timers;
  DesktopWindowQueue m_Queue;
  DesktopMessageBoxSink m_Boxes;
  std::unique_ptr<DesktopMidiOut> m_Midi;
  MessageLoop m_Loop;
  CSLDApp m_App;
  bool m_Started = false;
};
