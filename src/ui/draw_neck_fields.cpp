// The fields of page 0 beside and on the necks: guide digits, tuning-set names,
// note columns, voice names, volumes, guide and MIDI shifts.
#include <cstdio>

#include "midi/midi_port.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"
#include "ui/view.h"

namespace {
constexpr int kNeckStep = kNeckRect[1].top - kNeckRect[0].top;  // upper neck fields to lower, pixels
constexpr int kVoiceRowStep = 19;
// The hint line at the foot of the page: its background strip and its text.
constexpr int kHintLineTop = 676, kHintLineWidth = 970, kHintLineHeight = 24;
constexpr int kHintTextX = 10, kHintTextY = 680;

std::string Format(const char* fmt, int v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

int VoiceProgram(const NeckInfo& neck, int voice) { return voice == 0 ? neck.Voice0No : neck.Voice1No; }
}  // namespace

void CSLDView::DrawGuideRow(Canvas& dc, int n, int s) {
  SelectTextStyle(dc, FontArial15Bold, kBlack, nullptr);
  for (int f = 0; f < kFretCount; ++f) {
    const int degree = g_Neck[n].Guide[s][f];
    if (degree == 0) continue;
    dc.TextOut(50 + kFretWidth * f, 109 + kNeckStep * n + kStringRowHeight * s, Format("%1d", degree));
  }
}

void CSLDView::DrawTuningSetName(Canvas& dc, int n, int t) {
  const int x = 113 + 60 * t;
  const int y = 340 + kNeckStep * n;
  const std::string& name = g_Tuning[t].Name;
  RestoreBackground(dc, {x, y, x + FontArial18Bold.TextWidth(name), y + FontArial18Bold.height()});
  SelectTextStyle(dc, FontArial18Bold, t == g_Neck[n].Tuning ? kOrange : kGrey, nullptr);
  dc.TextOut(x, y, name);
}

void CSLDView::DrawNoteColumn(Canvas& dc, int n) {
  dc.Blit(9, 110 + kNeckStep * n, 40, 194, m_bmNoteBack);
  SelectTextStyle(dc, FontArial18Bold, kGrey, nullptr);
  const TuningInfo& tuning = g_Tuning[g_Neck[n].Tuning];
  const int k = 2 * g_Pedal2 + g_Pedal1;
  for (int s = 0; s < kStringCount; ++s) {
    dc.TextOut(23, 114 + kNeckStep * n + kStringRowHeight * s, tuning.NoteName[k][s]);
  }
}

void CSLDView::DrawVoiceName(Canvas& dc, int n, int v) {
  const int program = VoiceProgram(g_Neck[n], v);
  if (program < 0 || program >= kProgramCount) return;
  SelectTextStyle(dc, FontArial17Bold, kGrey, &kLightGrey);
  dc.TextOut(666, 330 + kVoiceRowStep * v + kNeckStep * n, g_VoiceName[program]);
}

void CSLDView::DrawVolume(Canvas& dc, int n, int v) {
  const int volume = v == 0 ? g_Neck[n].Volume0 : g_Neck[n].Volume1;
  int x = 918;
  std::string text = Format(" %2d ", volume);
  if (volume < 10) {
    // One more blank, one pixel further left: the single digit then covers the
    // same cell as two digits would.
    text = " " + text;
    x -= 1;
  }
  SelectTextStyle(dc, FontArial16Bold, kGrey, &kLightGrey);
  dc.TextOut(x, 330 + kVoiceRowStep * v + kNeckStep * n, text);
}

void CSLDView::DrawGuideShift(Canvas& dc, int n) {
  const int g = g_Neck[n].GuideShift;
  int x = 1032;
  std::string text;
  if (g >= 1) {
    text = Format(" +%d ", g);
    x -= 3;
  } else if (g == 0) {
    text = Format("  %d ", g);
  } else if (g >= -7) {
    text = Format(" %2d ", g);
  } else {
    text = "Off";
  }
  // The texts are padded to cover one another, but "Off" is wider than " -7 "
  // in our face: the field is laid bare first so that no part of it stays.
  RestoreBackground(dc, g_Region[NeckRegion(n) + (UpperGuideShift - UpperNeck)]);
  SelectTextStyle(dc, FontArial17Bold, kGrey, &kLightGrey);
  dc.TextOut(x, 340 + kNeckStep * n, text);
}

void CSLDView::DrawMidiShift(Canvas& dc, int n) {
  const int m = g_Neck[n].MidiShift;
  int x = 1138;
  std::string text;
  if (m >= 10) {
    text = Format(" +%2d ", m);
    x -= 3;
  } else if (m >= 1) {
    text = Format("  +%d ", m);
    x -= 3;
  } else if (m == 0) {
    text = Format("   %d ", m);
  } else {
    text = Format(" %3d ", m);
  }
  SelectTextStyle(dc, FontArial17Bold, kGrey, &kLightGrey);
  dc.TextOut(x, 340 + kNeckStep * n, text);
}

void CSLDView::SelectTuningSet(Canvas& dc, int n, int t) {
  const int old = g_Neck[n].Tuning;
  if (t == old) return;
  g_Neck[n].Tuning = t;
  DrawTuningSetName(dc, n, old);
  DrawTuningSetName(dc, n, t);
  DrawNoteColumn(dc, n);
  AllocateChannels(n);
}

void CSLDView::DrawHint(Canvas& dc, int r) {
  if (g_Page == kVoicePage) return;
  if (g_bAutoPlay) {
    SelectTextStyle(dc, FontArial17, kRed, &kCream);
    dc.TextOut(10, 680, kStopHint);
    DrawDeviceGoneNote(dc, 30 + FontArial17.TextWidth(kStopHint));
    return;
  }
  if (r == -1) {
    dc.Blit(0, kHintLineTop, kHintLineWidth, kHintLineHeight, m_bmHintBack);
    DrawDeviceGoneNote(dc, kHintTextX);
    return;
  }
  if (r == PlayButton) {
    if (g_Page != kPlayPage) return;
    SelectTextStyle(dc, FontArial17, kBlack, &kCream);
    dc.TextOut(10, 680, g_bSongReady == 1 ? kPlayHintSongReady : kPlayHintNoSong);
    return;
  }
  if (r < 0 || r >= kHintCount || g_HintText[r][0] == '\0') return;
  SelectTextStyle(dc, FontArial17, kGrey, &kLightBlue);
  dc.TextOut(10, 680, g_HintText[r]);
}

void CSLDView::ShowHintMessage(const std::string& text) {
  if (g_Page == kVoicePage) return;
  Canvas& dc = m_Canvas;
  dc.Blit(0, kHintLineTop, kHintLineWidth, kHintLineHeight, m_bmHintBack);
  SelectTextStyle(dc, FontArial17, kBlack, &kCream);
  dc.TextOut(kHintTextX, kHintTextY, text);
  Present();
}

// The player learns on the hint line, without a box that would stop the
// playing, that the output device has vanished; it stays until the device is
// back or another is chosen.
void CSLDView::DrawDeviceGoneNote(Canvas& dc, int x) {
  if (!g_bMidiOutGone) return;
  SelectTextStyle(dc, FontArial17, kRed, &kCream);
  dc.TextOut(x, kHintTextY, std::string(" ") + DeviceName(g_MidiOutDevice) + kDeviceGoneNote);
}

void CSLDView::ShowMidiPortState() {
  if (g_Page == kMidiPage) DrawDeviceRow(m_Canvas, g_MidiOutDevice);
  DrawHint(m_Canvas, -1);
  Present();
}
