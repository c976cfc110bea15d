// The whole system without a window: started and closed exactly as the
// program does, on a virtual clock, with a recording MIDI port, recorded
// message boxes and beeps, and a pointer that honours the cursor clip. Input
// goes in as the window would deliver it; what comes out is kept as a list of
// timed events. slidora-cli sim and play, and the tests, drive the system
// through it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless_pointer.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/recording_midi.h"
#include "platform/virtual_clock.h"
#include "ui/view.h"

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
  // Installs the headless services into g_Platform and resets every value of
  // the system to program start; the destructor puts the old services back.
  HeadlessSystem();
  ~HeadlessSystem() override;
  HeadlessSystem(const HeadlessSystem&) = delete;
  HeadlessSystem& operator=(const HeadlessSystem&) = delete;

  // The program's start-up: settings from SLD.ini of the working directory (or
  // the defaults), tables, channels, timers, the port (the reset burst), the
  // first paint, the 5 ms tick. Returns 0.
  int StartUp();
  // The program's close and exit: timers stopped, window position and every
  // setting written back. Returns 0, or 1 when the settings file could not be
  // written (the save-failure box is shown and the text goes to standard error).
  // Runs once; the close button runs it too, and input after it is ignored.
  int Close();
  bool closed() const { return closed_; }
  bool minimized() const { return minimized_; }

  // Input as the window delivers it. Points are client pixels. A mouse message
  // at a point outside the window reaches the view only while it holds the
  // mouse capture; the pointer goes there in any case (inside the clip).
  void MouseMove(Point p);
  void Button(uint32_t msg, Point p);  // WM_LBUTTONDOWN .. WM_RBUTTONDBLCLK
  void KeyDown(int vk);                // carries the repeat flag while the key is down
  void KeyUp(int vk);
  // Characters typed (WM_CHAR each), as into a focused tuning-name box; "\b" is
  // backspace.
  void Type(const std::string& text);
  // Files dropped on the window (one drop); ignored while the main frame
  // does not accept drops.
  void Drop(const std::string& path);
  void Drop(const std::vector<std::string>& paths);
  // Moves the virtual clock forward, delivering everything due on the way.
  void Wait(int64_t ms);

  int64_t NowMs() const { return clock_.NowMs(); }
  VirtualClock& clock() { return clock_; }
  RecordingMidiOut& port() { return port_; }
  HeadlessPointer& pointer() { return pointer_; }
  CSLDView& view() { return view_; }

  // Events since the last call (MIDI messages, boxes, beeps in order).
  std::vector<HeadlessEvent> TakeEvents();

  // MessageBoxSink
  void Show(const std::string& text, const std::string& caption, int type) override;
  void Beep(int type) override;

 private:
  // One message to the view: the message filter, then the handlers.
  void ToView(const Message& m);
  // Goes idle as the message loop would: paints what was invalidated, then
  // runs the leave-window check; repeats while messages wait.
  void Settle();
  void Idle();
  void CollectMidi();
  HeadlessEvent NewEvent(HeadlessEvent::Kind kind, int64_t time_ms) const;
  bool InsideWindow(Point client) const;
  WPARAM ButtonFlags() const;

  Platform saved_;
  VirtualClock clock_;
  RecordingMidiOut port_;
  HeadlessPointer pointer_;
  CSLDView view_;  // paints into a canvas without a window
  std::vector<HeadlessEvent> events_;
  size_t midi_seen_ = 0;
  bool starting_ = false;
  bool keys_down_[256] = {};
  bool left_down_ = false;
  bool right_down_ = false;
  bool idle_running_ = false;
  bool closed_ = false;
  int close_status_ = 0;  // 1 when the settings could not be saved at close
  bool minimized_ = false;
};

// Writes one event as a line: "T XX YY ZZ", "T box TYPE CAPTION|TEXT" (JSON
// strings) or "T beep", with T counted from origin_ms.
std::string FormatHeadlessEvent(const HeadlessEvent& e, int64_t origin_ms);
