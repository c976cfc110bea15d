// The MIDI settings page: choosing the output device (with the busy message
// and its fallbacks), the reverb and the chorus level.
#include <string>

#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "platform/message_box.h"
#include "ui/controls.h"
#include "ui/controls_view.h"
#include "ui/view.h"

namespace {

// Device rows: identifier d (-1 the mapper, then 0..12) at row d + 1, 25 pixels apart.
constexpr int kDeviceRowLeft = 80, kDeviceRowRight = 580;
constexpr int kDeviceRowTop = 120, kDeviceRowHeight = 17, kDeviceRowStep = 25;

// Level buttons stacked upwards: value i from y 370 - 25 i, 17 high.
constexpr int kLevelBottomTop = 370, kLevelHeight = 17, kLevelStep = 25;
constexpr int kReverbLeft = 670, kReverbRight = 710;
constexpr int kChorusLeft = 770, kChorusRight = 810;

constexpr const char* kBoxCaption = "Slidora Quenlo";
constexpr const char* kBusyFirst = " is busy.          ";
constexpr const char* kBusySecond = " is busy.";
constexpr const char* kAbsentDevicePrefix = "none";
constexpr size_t kAbsentDevicePrefixLength = 4;

bool Within(int v, int lo, int hi) { return lo <= v && v < hi; }

int DeviceRowAt(Point p) {
  if (!Within(p.x, kDeviceRowLeft, kDeviceRowRight)) return kMidiMapperId - 1;
  for (int d = kMidiMapperId; d < kMaxMidiOutDevices; ++d) {
    const int top = kDeviceRowTop + kDeviceRowStep * (d + 1);
    if (Within(p.y, top, top + kDeviceRowHeight)) return d;
  }
  return kMidiMapperId - 1;
}

int LevelAt(Point p, int left, int right) {
  if (!Within(p.x, left, right)) return -1;
  for (int i = 0; i <= kEffectLevelMax; ++i) {
    const int top = kLevelBottomTop - kLevelStep * i;
    if (Within(p.y, top, top + kLevelHeight)) return i;
  }
  return -1;
}

void SendToEveryChannel(int controller, int value) {
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (ch != kRhythmChannel) SendShort(kControlChange + ch, controller, value);
  }
}

void BusyBox(const std::string& text) { ShowMessageBox(text, kBoxCaption, MB_ICONSTOP | MB_OK); }

}  // namespace

void SelectMidiDevice(Point p) {
  const int d = DeviceRowAt(p);
  // With the port closed (every open failed) no row is the open one: a click
  // on the mapper's row tries it again.
  if (d < kMidiMapperId || (d == g_MidiOutDevice && g_bMidiOutOpen)) return;
  const std::string name = DeviceName(d);
  if (name.compare(0, kAbsentDevicePrefixLength, kAbsentDevicePrefix) == 0) return;
  const int old = g_MidiOutDevice;
  CloseDevice();
  if (OpenDevice(d) != 0) {
    BusyBox(name + kBusyFirst);
    if (OpenDevice(old) != 0) {
      BusyBox(name + kBusySecond);
      OpenDevice(kMidiMapperId);
    }
  }
  if (CSLDView* view = ControlView()) {
    view->DrawDeviceRow(view->canvas(), old);
    view->DrawDeviceRow(view->canvas(), g_MidiOutDevice);
    PresentFields();
  }
  // Also a busy device is the one the next start tries first.
  g_MidiOutDeviceName = name;
}

void SelectReverb(Point p) {
  const int i = LevelAt(p, kReverbLeft, kReverbRight);
  if (i < 0 || i == g_ReverbTime) return;
  const int old = g_ReverbTime;
  g_ReverbTime = i;
  if (CSLDView* view = ControlView()) {
    view->DrawReverbValue(view->canvas(), old);
    view->DrawReverbValue(view->canvas(), i);
    PresentFields();
  }
  SendToEveryChannel(kCcReverbSend, LevelToMidi(i));
}

void SelectChorus(Point p) {
  const int i = LevelAt(p, kChorusLeft, kChorusRight);
  if (i < 0 || i == g_ChorusLevel) return;
  const int old = g_ChorusLevel;
  g_ChorusLevel = i;
  if (CSLDView* view = ControlView()) {
    view->DrawChorusValue(view->canvas(), old);
    view->DrawChorusValue(view->canvas(), i);
    PresentFields();
  }
  SendToEveryChannel(kCcChorusSend, LevelToMidi(i));
}
