// The view's mouse-button handlers: one hit test, then the window buttons,
// the pedals and the fields of the page shown, in that order; the releases end
// pedals, spin buttons, preview notes and the window drag.
#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "perform/pedals.h"
#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "perform/view_link.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "ui/controls.h"
#include "ui/controls_pages.h"
#include "song/autoplay_start.h"
#include "ui/layout.h"

int32_t g_PreviewNote = -1;
Point g_DragOrigin{0, 0};

namespace {

constexpr int kPlayPage = 0, kTuningPage = 1, kMidiPage = 2, kVoicePage = 3;
constexpr int kPedal1 = 1, kPedal2 = 2;

int32_t g_PreviewChannel = 0;  // channel the sounding preview started on

bool IsNeckRegion(int r) { return r == UpperNeck || r == LowerNeck; }
bool IsSpinRegion(int r) { return r >= BankMsbUp && r <= VibDelayDown; }
bool IsGridCode(int r) { return r >= kGridNoteBox; }

}  // namespace

void StartPreviewNote(int channel, int note) {
  // One preview sounds at a time: a press of the other button, or a press after
  // a release the window never saw, would otherwise leave the first note on.
  EndPreviewNote();
  g_PreviewNote = note;
  g_PreviewChannel = channel;
  SendShort(kNoteOn + channel, note, kPreviewVelocity);
}

void EndPreviewNote() {
  if (g_PreviewNote == -1) return;
  SendShort(kNoteOff + g_PreviewChannel, g_PreviewNote, kNoteOffVelocity);
  g_PreviewNote = -1;
}

void ControlsLeftPress(int r, Point p) {
  if (r >= PlayButton && r <= CloseButton) {
    WindowButtonPress(r, p);
    return;
  }
  switch (g_Page) {
    case kPlayPage:
      if (IsNeckRegion(r)) {
        PressPedal(kPedal1, r);
      } else {
        PlayPageFieldPress(r, +1);
      }
      break;
    case kTuningPage:
      if (IsGridCode(r)) TuningGridPress(r, +1);
      break;
    case kMidiPage:
      SelectMidiDevice(p);
      SelectReverb(p);
      SelectChorus(p);
      break;
    case kVoicePage: {
      const int program = VoiceListEntryAt(p);
      if (program >= 0) {
        SelectVoiceProgram(program);
      } else if (IsSpinRegion(r)) {
        PressSpinButton(r);
      }
      break;
    }
    default:
      break;
  }
}

void ControlsRightPress(int r, Point) {
  if (g_Page == kPlayPage) {
    if (r == PlayButton) {
      OnPlayButtonRightClick();  // reads the song file again and plays it
    } else if (IsNeckRegion(r)) {
      PressPedal(kPedal2, r);
    } else {
      PlayPageFieldPress(r, -1);
    }
  } else if (g_Page == kTuningPage && IsGridCode(r)) {
    TuningGridPress(r, -1);
  }
}

void ControlsLeftRelease() {
  if (IsSpinRegion(g_Capture)) {
    ReleaseSpinButton();
    return;
  }
  if ((g_Page == kTuningPage || g_Page == kVoicePage) && g_PreviewNote != -1) {
    EndPreviewNote();
    return;
  }
  // A left button pressed off the necks can come up while a key or the right
  // pedal holds a neck: the neck keeps its capture, or the held notes and
  // pedal would later be let go on the wrong neck.
  if (IsNeckRegion(g_Capture) && (g_bKeyHeld || g_Pedal1 || g_Pedal2)) return;
  // Ends a window drag.
  g_Capture = -1;
  if (g_Platform.pointer) g_Platform.pointer->ReleaseCapture();
}

void ControlsRightRelease() {
  if ((g_Page == kTuningPage || g_Page == kVoicePage) && g_PreviewNote != -1) EndPreviewNote();
}

namespace {
// A press is the latest pointer position, ahead of any move still waiting for
// delivery: a repaint's hit test must find the pointer where it was pressed.
// While a key holds the bar, the bar's x stays with the moves, which bend the
// notes as they come.
void TakePressPoint(Point p) {
  if (g_bKeyHeld) return;
  g_CursorClient = p;
  if (g_Platform.pointer) g_CursorScreen = g_Platform.pointer->ClientToScreen(p);
}
}  // namespace

void OnLButtonDown(WPARAM, Point p) {
  TakePressPoint(p);
  ControlsLeftPress(HitTest(p.x, p.y), p);
}
void OnRButtonDown(WPARAM, Point p) {
  TakePressPoint(p);
  ControlsRightPress(HitTest(p.x, p.y), p);
}
// A double click is one more press.
void OnLButtonDblClk(WPARAM flags, Point p) { OnLButtonDown(flags, p); }
void OnRButtonDblClk(WPARAM flags, Point p) { OnRButtonDown(flags, p); }

void OnLButtonUp(WPARAM, Point) {
  if (g_Page == kPlayPage && g_Pedal1) {
    ReleasePedal(kPedal1);
    return;
  }
  ControlsLeftRelease();
}

void OnRButtonUp(WPARAM, Point) {
  if (g_Page == kPlayPage && g_Pedal2) ReleasePedal(kPedal2);
  ControlsRightRelease();
}

bool DispatchControlMessage(const Message& m) {
  if (m.msg != WM_TIMER) return false;
  OnTimer(static_cast<uint32_t>(m.wParam));
  return true;
}

void LinkControlsToPlaying() {
  g_ViewLink.dragWindow = DragWindowStep;
  g_ViewLink.releaseSpin = [](int) { ReleaseSpinButton(); };
}

void ResetControlsState() {
  // The links are made by the program's start-up, not here.
  g_ViewLink = ViewLink{};
  g_PreviewNote = -1;
  g_PreviewChannel = 0;
  g_DragOrigin = {0, 0};
}
