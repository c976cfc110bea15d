// The voice page: the list of the 128 voices (choosing one loads it at once
// and sounds a preview) and the five spin buttons for the chosen voice's bank
// and its program's vibrato, repeating while held.
#include "midi/channels.h"
#include "midi/midi_codes.h"
#include "model/instrument.h"
#include "perform/play_state.h"
#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "ui/controls.h"
#include "ui/controls_pages.h"
#include "ui/controls_view.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

// Voice list: 4 columns of 32 entries, 15 pixels high, 16 apart, with a gap
// of 16 more after every eighth entry.
constexpr int kListColumns = 4;
constexpr int kListRows = 32;
constexpr int kListLeft = 40, kListColumnStep = 265, kListColumnWidth = 252;
constexpr int kListTop = 80, kListRowStep = 16, kListEntryHeight = 15;
constexpr int kListGroupRows = 8;

// The spin buttons come in pairs (up, down); the picture of a pair is 33 high.
constexpr int kSpinPairHeight = 33;
enum SpinValue { kBankMsb, kBankLsb, kVibDepth, kVibRate, kVibDelay };

int SpinPair(int region) { return (region - BankMsbUp) / 2; }
bool IsUpButton(int region) { return (region - BankMsbUp) % 2 == 0; }

int32_t& SelectedProgramField() {
  NeckInfo& neck = g_Neck[SelectedNeck()];
  return SelectedVoice() == 0 ? neck.Voice0No : neck.Voice1No;
}

int32_t& SpinTarget(int pair) {
  NeckInfo& neck = g_Neck[SelectedNeck()];
  const bool v0 = SelectedVoice() == 0;
  VibratoInfo& vib = g_Vibrato[SelectedProgramField()];
  switch (pair) {
    case kBankMsb: return v0 ? neck.Voice0MSB : neck.Voice1MSB;
    case kBankLsb: return v0 ? neck.Voice0LSB : neck.Voice1LSB;
    case kVibDepth: return vib.Depth;
    case kVibRate: return vib.Rate;
    default: return vib.Delay;
  }
}

// One step of the held button's value, redrawn when it changed.
void StepSpinValue(int region) {
  const int pair = SpinPair(region);
  int32_t& value = SpinTarget(pair);
  const int next = value + (IsUpButton(region) ? 1 : -1);
  if (next < 0 || next > kSpinValueMax) return;
  value = next;
  CSLDView* view = ControlView();
  if (!view) return;
  if (pair == kBankMsb || pair == kBankLsb) {
    view->DrawBankValue(view->canvas(), pair);
  } else {
    view->DrawVibValue(view->canvas(), pair - kVibDepth);
  }
  PresentFields();
}

// Draws a pair in the given picture at its up button's place.
void DrawSpinPair(int region, const Picture& picture) {
  CSLDView* view = ControlView();
  if (!view) return;
  const Rect& up = g_Region[BankMsbUp + 2 * SpinPair(region)];
  view->canvas().Blit(up.left, up.top, up.right - up.left, kSpinPairHeight, picture);
  PresentFields();
}

}  // namespace

int VoiceListEntryAt(Point p) {
  for (int c = 0; c < kListColumns; ++c) {
    const int left = kListLeft + kListColumnStep * c;
    if (p.x < left || p.x >= left + kListColumnWidth) continue;
    for (int j = 0; j < kListRows; ++j) {
      const int top = kListTop + kListRowStep * j + kListRowStep * (j / kListGroupRows);
      if (p.y >= top && p.y < top + kListEntryHeight) return kListRows * c + j;
    }
  }
  return -1;
}

void SelectVoiceProgram(int p) {
  int32_t& program = SelectedProgramField();
  const int old = program;
  program = p;
  if (CSLDView* view = ControlView()) {
    Canvas& dc = view->canvas();
    view->DrawVoiceEntry(dc, old);
    view->DrawVoiceEntry(dc, p);
    view->DrawVibValue(dc, CSLDView::kVibDepth);
    view->DrawVibValue(dc, CSLDView::kVibRate);
    view->DrawVibValue(dc, CSLDView::kVibDelay);
    PresentFields();
  }
  // The voice is heard at once; the volumes stay as they are on the channels.
  SetupNeckVoices(SelectedNeck(), false);
  StartPreviewNote(SelectedVoice(), kVoicePreviewNote);
}

void PressSpinButton(int region) {
  if (!IsSpinRegion(region)) return;
  if (CSLDView* view = ControlView()) {
    DrawSpinPair(region, IsUpButton(region) ? view->spinUp() : view->spinDown());
  }
  StepSpinValue(region);
  g_Capture = region;
  if (g_Platform.pointer) g_Platform.pointer->SetCapture();
  if (g_Platform.queue) g_Platform.queue->SetWindowTimer(kSpinTimerId, kSpinFirstRepeatMs);
}

void ReleaseSpinButton() {
  if (!IsSpinRegion(g_Capture)) return;
  if (CSLDView* view = ControlView()) DrawSpinPair(g_Capture, view->spinOff());
  if (g_Platform.queue) g_Platform.queue->KillWindowTimer(kSpinTimerId);
  g_Capture = -1;
  if (g_Platform.pointer) g_Platform.pointer->ReleaseCapture();
}

bool OnTimer(uint32_t id) {
  if (id != kSpinTimerId || !IsSpinRegion(g_Capture)) return false;
  StepSpinValue(g_Capture);
  // Restarted at the repeat rate even at the end of the range.
  if (g_Platform.queue) g_Platform.queue->SetWindowTimer(kSpinTimerId, kSpinRepeatMs);
  return true;
}
