// The buttons of every page: the three page tabs, the window-drag icon, the
// minimise and close buttons; and the arrow cursor of the tuning editor.
#include "midi/channels.h"
#include "midi/midi_port.h"
#include "model/instrument.h"
#include "model/tunings.h"
#include "perform/play_state.h"
#include "perform/slide_bar.h"
#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "ui/controls.h"
#include "ui/controls_pages.h"
#include "ui/controls_view.h"
#include "song/autoplay_start.h"
#include "ui/layout.h"

namespace {
void PostToMainWindow(uint32_t msg, WPARAM w) {
  if (g_Platform.queue) g_Platform.queue->Post(Message{msg, w, 0});
}

void PlayTab() {
  // On the playing page the button is the song's (auto-play's part).
  if (g_Page == kPlayPage) return;
  if (g_Page == kTuningPage) {
    ApplyTuningNameBoxes();
    AllocateChannels(0);
    AllocateChannels(1);
  }
  // The guide marks follow the tunings also when the editor was left through
  // the MIDI page, which does not rebuild them.
  BuildGuide(0);
  BuildGuide(1);
  ShowTuningNameBoxes(false);
  g_Page = kPlayPage;
  RepaintWholeView();
  // Voices, banks and vibrato may have changed: the next play loads them again.
  g_SoundNeck = -1;
}

void TuningTab() {
  if (g_Page == kTuningPage) return;
  ShowTuningNameBoxes(true);
  g_Page = kTuningPage;
  RepaintWholeView();
}

void MidiTab() {
  if (g_Page == kTuningPage) {
    ApplyTuningNameBoxes();
    AllocateChannels(0);
    AllocateChannels(1);
  }
  if (g_Page == kMidiPage) return;
  ShowTuningNameBoxes(false);
  // The list shows the ports there now: one started since is there, one
  // that went is not.
  RefreshDeviceTable();
  g_Page = kMidiPage;
  RepaintWholeView();
}

void StartDrag(Point p) {
  PointerService* pointer = g_Platform.pointer;
  if (pointer) {
    pointer->SetCursorShape(CursorShape::SizeAll);
    // The press itself is the last known pointer position.
    g_CursorClient = p;
    g_CursorScreen = pointer->ClientToScreen(p);
  }
  g_DragOrigin = g_CursorScreen;
  g_Capture = MoveButton;
  if (pointer) pointer->SetCapture();
}

}  // namespace

// Regions 0..5 on any page; each first silences every channel.
void WindowButtonPress(int r, Point p) {
  // On the playing page the play button is the song's: it silences and replays.
  if (r == PlayButton && g_Page == kPlayPage) {
    OnPlayButtonLeftClick();
    return;
  }
  AllNotesOff();
  switch (r) {
    case PlayButton:
      PlayTab();
      break;
    case TuningButton:
      TuningTab();
      break;
    case MidiButton:
      MidiTab();
      break;
    case MoveButton:
      StartDrag(p);
      break;
    case MinimizeButton:
      PostToMainWindow(WM_SYSCOMMAND, SC_MINIMIZE);
      break;
    case CloseButton:
      if (g_Page == kTuningPage) ApplyTuningNameBoxes();
      PostToMainWindow(WM_CLOSE, 0);
      break;
    default:
      break;
  }
}

void DragWindowStep() {
  PointerService* pointer = g_Platform.pointer;
  if (!pointer) return;
  const Rect w = pointer->WindowRect();
  pointer->MoveWindowTo(w.left + g_CursorScreen.x - g_DragOrigin.x,
                        w.top + g_CursorScreen.y - g_DragOrigin.y);
  g_DragOrigin = g_CursorScreen;
}

bool OnSetCursor(bool over_client) {
  if (g_Page != kTuningPage || !over_client) return false;
  if (g_Platform.pointer) g_Platform.pointer->SetCursorShape(CursorShape::Arrow);
  return true;
}
