// The fields of the playing page: the tuning-set buttons, the voice-name
// fields that open the voice list, both volumes, the guide shift and the MIDI
// shift of each neck.
#include "model/instrument.h"
#include "model/tunings.h"
#include "midi/channels.h"
#include "ui/controls.h"
#include "ui/controls_pages.h"
#include "ui/controls_view.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {
// A neck's fields by offset from its own region (6 or 21).
enum NeckField {
  kFirstTuningSet = 1,
  kLastTuningSet = 8,
  kVoice0Name = 9,
  kVoice1Name = 10,
  kVolume0 = 11,
  kVolume1 = 12,
  kGuideShift = 13,
  kMidiShift = 14,
};

// Adds delta to value when the result stays within lo..hi; true when it changed.
bool StepWithin(int32_t& value, int delta, int lo, int hi) {
  const int next = value + delta;
  if (next < lo || next > hi) return false;
  value = next;
  return true;
}

void ChooseTuningSet(int n, int k) {
  CSLDView* view = ControlView();
  if (view) {
    view->SelectTuningSet(view->canvas(), n, k);
    PresentFields();
  } else if (g_Neck[n].Tuning != k) {
    g_Neck[n].Tuning = k;
    AllocateChannels(n);
  }
  BuildGuide(n);
  InvalidateArea(g_Region[NeckRegion(n)]);
}

void OpenVoiceList(int n, int v) {
  SelectedNeck() = n;
  SelectedVoice() = v;
  g_Page = kVoicePage;
  RepaintWholeView();
}

void StepVolume(int n, int v, int delta) {
  NeckInfo& neck = g_Neck[n];
  if (!StepWithin(v == 0 ? neck.Volume0 : neck.Volume1, delta, 0, kVolumeMax)) return;
  if (CSLDView* view = ControlView()) {
    view->DrawVolume(view->canvas(), n, v);
    PresentFields();
  }
  // The volume reaches the synthesizer with the next voice set-up.
  g_SoundNeck = -1;
}

void StepGuideShift(int n, int delta) {
  if (!StepWithin(g_Neck[n].GuideShift, delta, kGuideShiftMin, kGuideShiftMax)) return;
  if (CSLDView* view = ControlView()) {
    view->DrawGuideShift(view->canvas(), n);
    PresentFields();
  }
  BuildGuide(n);
  InvalidateArea(g_Region[NeckRegion(n)]);
}

void StepMidiShift(int n, int delta) {
  // The shift takes effect with the next note.
  if (!StepWithin(g_Neck[n].MidiShift, delta, kMidiShiftMin, kMidiShiftMax)) return;
  if (CSLDView* view = ControlView()) {
    view->DrawMidiShift(view->canvas(), n);
    PresentFields();
  }
}

}  // namespace

void PlayPageFieldPress(int r, int delta) {
  if (r <= UpperNeck || r > LowerMidiShift || r == LowerNeck) return;
  const int n = r < LowerNeck ? 0 : 1;
  const int field = r - NeckRegion(n);
  if (field >= kFirstTuningSet && field <= kLastTuningSet) {
    // The right button leaves the tuning sets alone.
    if (delta > 0) ChooseTuningSet(n, field - kFirstTuningSet);
    return;
  }
  switch (field) {
    case kVoice0Name:
    case kVoice1Name:
      if (delta > 0) OpenVoiceList(n, field - kVoice0Name);
      break;
    case kVolume0:
    case kVolume1:
      StepVolume(n, field - kVolume0, delta);
      break;
    case kGuideShift:
      StepGuideShift(n, delta);
      break;
    case kMidiShift:
      StepMidiShift(n, delta);
      break;
    default:
      break;
  }
}
