// The tuning editor: the eight name boxes, stepping a string's note name
// (with a preview of the new pitch) and stepping its pedal offsets.
#include <string>

#include "midi/midi_codes.h"
#include "model/instrument.h"
#include "model/tunings.h"
#include "perform/pedals.h"
#include "ui/controls.h"
#include "ui/controls_pages.h"
#include "ui/controls_view.h"
#include "ui/view.h"

namespace {

constexpr int kPreviewChannel = 0;  // the editor previews on channel 0
constexpr int kUnknownNameIndex = kNoteNameCount;  // a name outside the list
constexpr int kPedalOffsetMin = -1;  // semitones
constexpr int kPedalOffsetMax = 1;
// At most six strings of a tuning carry pedals, so two always ring unbent and
// the seven channel pairs suffice.
constexpr int kMaxPedalStrings = 6;
constexpr int kBothPedals = 3;  // mask of CountPedalStrings
constexpr const char* kEmptyTuningName = "?";

void DrawColumn(int t) {
  if (CSLDView* view = ControlView()) {
    view->DrawTuningColumn(view->canvas(), t);
    PresentFields();
  }
}

}  // namespace

void ShowTuningNameBoxes(bool show) {
  CSLDView* view = ControlView();
  if (!view) return;
  for (int t = 0; t < kTuningCount; ++t) {
    TuningNameEdit& box = view->m_TuningNameEdit[t];
    if (show) box.SetWindowText(g_Tuning[t].Name);
    box.Show(show);
  }
}

void ApplyTuningNameBoxes() {
  CSLDView* view = ControlView();
  if (!view) return;
  for (int t = 0; t < kTuningCount; ++t) {
    g_Tuning[t].Name = view->m_TuningNameEdit[t].GetWindowText();
    if (g_Tuning[t].Name.empty()) g_Tuning[t].Name = kEmptyTuningName;
  }
}

void ApplyTuningNamesOnClose() {
  if (g_Page == kTuningPage) ApplyTuningNameBoxes();
}

void StepNoteName(int t, int s, int delta) {
  std::string& name = g_Tuning[t].NoteName[0][s];
  int index = FindNoteName(name.c_str());
  if (index < 0) index = kUnknownNameIndex;
  index += delta;
  if (index < 0) index = kNoteNameCount - 1;
  if (index > kNoteNameCount - 1) index = 0;
  name = g_NoteNames[index];
  DrawColumn(t);
  BuildPedalNoteNames();
  BuildStringNotes();
  StartPreviewNote(kPreviewChannel, g_Tuning[t].Note[0][s]);
}

void StepPedalOffset(int t, int s, int p, int delta) {
  TuningInfo& tuning = g_Tuning[t];
  int32_t& offset = tuning.Pedal[p][s];
  if (offset + delta < kPedalOffsetMin || offset + delta > kPedalOffsetMax) return;
  const bool string_free = tuning.Pedal[0][s] == 0 && tuning.Pedal[1][s] == 0;
  if (string_free && CountPedalStrings(t, kBothPedals) >= kMaxPedalStrings) return;
  offset += delta;
  DrawColumn(t);
  BuildPedalNoteNames();
  BuildStringNotes();
  // The channel pairs follow when the editor is left.
}

void TuningGridPress(int code, int delta) {
  if (code < 100) return;
  const int a = code - 100;
  const int t = a / 100, s = (a / 10) % 10, c = a % 10;
  if (t >= kTuningCount || s >= kStringCount) return;
  if (c == 0) {
    StepNoteName(t, s, delta);
  } else if (c == 1 || c == 2) {
    StepPedalOffset(t, s, c - 1, delta);
  }
}

bool RouteToTuningNameBoxes(const Message& m) {
  CSLDView* view = ControlView();
  if (!view || g_Page != kTuningPage) return false;
  TuningNameEdit* focused = nullptr;
  for (TuningNameEdit& box : view->m_TuningNameEdit) {
    if (box.focused()) focused = &box;
  }
  bool taken = false;
  if (m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONDBLCLK) {
    const int x = PointX(m.lParam), y = PointY(m.lParam);
    TuningNameEdit* hit = nullptr;
    for (TuningNameEdit& box : view->m_TuningNameEdit) {
      if (box.Contains(x, y)) hit = &box;
    }
    if (!hit) return false;
    for (TuningNameEdit& box : view->m_TuningNameEdit) box.SetFocus(&box == hit);
    hit->OnClick(x, view->FontArial17);
    taken = true;
  } else if (focused && (m.msg == WM_LBUTTONUP || m.msg == WM_RBUTTONDOWN || m.msg == WM_RBUTTONUP ||
                         m.msg == WM_RBUTTONDBLCLK)) {
    // The other halves of a click on the box stay with the box.
    const int x = PointX(m.lParam), y = PointY(m.lParam);
    taken = focused->Contains(x, y);
  } else if (focused && m.msg == WM_CHAR) {
    focused->OnChar(static_cast<unsigned>(m.wParam));
    taken = true;
  } else if (focused && (m.msg == WM_KEYDOWN || m.msg == WM_KEYUP)) {
    // Keys go to the box holding the focus, not to the playing keys.
    if (m.msg == WM_KEYDOWN) focused->OnKeyDown(static_cast<int>(m.wParam));
    taken = true;
  }
  if (taken) {
    view->DrawTuningNameBoxes(view->canvas());
    PresentFields();
  }
  return taken;
}
