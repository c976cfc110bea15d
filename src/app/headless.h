// The program without a display: the application object (CSLDApp) started,
// run and closed exactly as on the desktop, but hosted on a virtual clock, a
// recording MIDI port, recorded message boxes and beeps, and a headless
// window whose pointer honours the cursor clip. Input goes in as the window
// system delivers it, through the frame's message procedure; what comes out is
// kept as a list of timed events. slidora-cli sim and play, the tests and the
// benchmarks drive the program through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/sld_app.h"
#include "platform/headless_pointer.h"
#include "platform/headless_window.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/recording_midi.h"
#include "platform/virtual_clock.h"
#include "ui/view.h"

// The screen the headless window stands on (pixels).
inline constexpr Point kHeadlessScreen{1920, 1080};

// One thing the system did that a user or a device notices.
struct HeadlessEvent {
  enum Kind { kMidi, kBox, kBeep };
  Kind kind = kMidi;
  int64_t time_ms = 0;          // virtual time
  bool during_startup = false;  // happened while the system was starting
  uint32_t packed = 0;  // kMidi: status | data1 << 8 | data2 << 16
  std::string text;     // kBox
  std::string caption;  // kBox
  int type = 0;         // kBox: the box's type flags; kBeep: the beep's icon type
};

class HeadlessSystem : public MessageBoxSink {
 public:
  // Installs the clock, the port and the boxes into g_Platform and resets
  // every value of the system to program start (so each run begins clean);
  // the destructor puts the old services back.
  HeadlessSystem();
  ~HeadlessSystem() override;
  HeadlessSystem(const HeadlessSystem&) = delete;
  HeadlessSystem& operator=(const HeadlessSystem&) = delete;

  // The program's start-up (CSLDApp::InitInstance): settings from SLD.ini of
  // the working directory (or the defaults), the window where it stood last
  // time, tables, channels, timers, the port (the reset burst), the first
  // paint, the 5 ms tick. Returns 0, 1 when the program would quit.
  int StartUp();
  // The window manager's close, then the program's exit: timers stopped,
  // window position and every setting written back. Returns 0, or 1 when the
  // settings file could not be written (the save-failure box is shown and the
  // text goes to standard error). The close button ends the program the same
  // way; after that Close only returns the status and input is ignored.
  int Close();
  bool closed() const { return m_App.closed(); }
  // Whether the exit saves a take never saved (on by default, as the program
  // does); set before StartUp.
  void SetSaveTakeAtExit(bool on) { m_SaveTakeAtExit = on; }
  bool minimized() const { return m_Window.minimized(); }

  // Input as the window delivers it. Points are client pixels. A mouse message
  // at a point outside the window reaches the program only while it holds the
  // mouse capture; the pointer goes there in any case (inside the clip).
  void MouseMove(Point p);
  void Button(uint32_t msg, Point p);  // WM_LBUTTONDOWN .. WM_RBUTTONDBLCLK
  void KeyDown(int vk);                // carries the repeat flag while the key is down
  void KeyUp(int vk);
  // Characters typed (WM_CHAR each), as into a focused tuning-name box; "\b" is
  // backspace.
  void Type(const std::string& text);
  // Files dropped on the window (one drop); refused while the window takes no drops.
  void Drop(const std::string& path);
  void Drop(const std::vector<std::string>& paths);
  // Moves the virtual clock forward, delivering everything due on the way.
  void Wait(int64_t ms);

  int64_t NowMs() const { return m_Clock.NowMs(); }
  VirtualClock& clock() { return m_Clock; }
  RecordingMidiOut& port() { return m_Port; }
  HeadlessPointer& pointer() { return m_Pointer; }
  HeadlessWindow& window() { return m_Window; }
  CSLDView& view() { return m_App.view(); }

  // Events since the last call (MIDI messages, boxes, beeps in order).
  std::vector<HeadlessEvent> TakeEvents();

  // MessageBoxSink
  void Show(const std::string& text, const std::string& caption, int type) override;
  void Beep(int type) override;

 private:
  // One pass of the program's message loop: the input messages through the
  // frame's procedure, then the posted messages, then the idle step; the exit
  // runs once the frame has closed.
  void Pass(const std::vector<Message>& input);
  void FinishPass();
  void CollectMidi();
  HeadlessEvent NewEvent(HeadlessEvent::Kind kind, int64_t time_ms) const;
  bool InsideWindow(Point client) const;
  WPARAM ButtonFlags() const;

  Platform m_Saved;
  VirtualClock m_Clock;
  RecordingMidiOut m_Port;
  HeadlessWindow m_Window;
  HeadlessPointer m_Pointer;
  CSLDApp m_App;
  std::vector<HeadlessEvent> m_Events;
  size_t m_MidiSeen = 0;
  bool m_Starting = false;
  bool m_Started = false;
  bool m_Exited = false;
  bool m_SaveTakeAtExit = true;
  int m_ExitStatus = 0;  // 1 when the settings could not be saved at the exit
  bool m_KeysDown[256] = {};
  bool m_LeftDown = false;
  bool m_RightDown = false;
};

// Writes one event as a line: "T XX YY ZZ", "T box TYPE CAPTION|TEXT" (JSON
// strings) or "T beep", with T counted from origin_ms.
std::string FormatHeadlessEvent(const HeadlessEvent& e, int64_t origin_ms);
