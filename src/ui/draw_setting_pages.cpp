// The fields of pages 1 to 3: tuning columns, device, reverb and chorus lists,
// the voice list, bank and vibrato values and the spin buttons.
#include <cstdio>

#include "midi/midi_port.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"
#include "ui/view.h"

namespace {
constexpr size_t kDeviceRowChars = 50;
constexpr size_t kVoiceEntryChars = 28;
constexpr int kVoiceColumns = 32;  // entries per column of the voice list

std::string Format(const char* fmt, int v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// Pads with blanks and cuts to n characters: the lists are drawn in a
// fixed-pitch face, so every row covers the same cell.
std::string Fixed(std::string text, size_t n) {
  text.resize(n, ' ');
  return text;
}

const char* PedalMark(int offset) { return offset == -1 ? "b" : offset == 1 ? "#" : " "; }

int SelectedProgram(const NeckInfo& neck, int voice) { return voice == 0 ? neck.Voice0No : neck.Voice1No; }
}  // namespace

void CSLDView::DrawTuningColumn(Canvas& dc, int t) {
  const int x0 = 40 + 140 * t;
  const std::string caption = Format("Set-%d", t + 1);
  RestoreBackground(dc, {x0, 140, x0 + FontArial32Bold.TextWidth(caption), 140 + FontArial32Bold.height()});
  SelectTextStyle(dc, FontArial32Bold, kGrey, nullptr);
  dc.TextOut(x0, 140, caption);
  const int pedal_h = FontBatang16Bold.height();
  RestoreBackground(dc, {x0 + 66, 170, x0 + 66 + FontBatang16Bold.TextWidth("Pedal"), 170 + pedal_h});
  RestoreBackground(dc, {x0 + 70, 185, x0 + 70 + FontBatang16Bold.TextWidth("1"), 185 + pedal_h});
  RestoreBackground(dc, {x0 + 95, 185, x0 + 95 + FontBatang16Bold.TextWidth("2"), 185 + pedal_h});
  SelectTextStyle(dc, FontBatang16Bold, kGrey, nullptr);
  dc.TextOut(x0 + 66, 170, "Pedal");
  dc.TextOut(x0 + 70, 185, "1");
  dc.TextOut(x0 + 95, 185, "2");
  const TuningInfo& tuning = g_Tuning[t];
  SelectTextStyle(dc, FontBatang20Bold, kGrey, &kCyan);
  for (int s = 0; s < kStringCount; ++s) {
    const int y = 205 + 26 * s;
    dc.TextOut(x0, y, (" " + tuning.NoteName[0][s] + "   ").substr(0, 4));
    dc.TextOut(x0 + 70, y, PedalMark(tuning.Pedal[0][s]));
    dc.TextOut(x0 + 95, y, PedalMark(tuning.Pedal[1][s]));
  }
}

void CSLDView::DrawDeviceRow(Canvas& dc, int a) {
  const std::string text = Fixed(Format(" %2d: ", a) + DeviceName(a), kDeviceRowChars);
  if (a == g_MidiOutDevice && g_bMidiOutGone) {
    SelectTextStyle(dc, FontBatang18Bold, kRed, &kCream);
  } else if (a == g_MidiOutDevice) {
    SelectTextStyle(dc, FontBatang18Bold, kBlack, &kCream);
  } else {
    SelectTextStyle(dc, FontBatang18Bold, kGrey, &kCyan);
  }
  dc.TextOut(80, 145 + 25 * a, text);
}

void CSLDView::DrawLevelValue(Canvas& dc, int v, int x, int current) {
  // Built once: "  0 " .. " 10 ".
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (int i = 0; i <= kLevelMax; ++i) t.push_back(Format(" %2d ", i));
    return t;
  }();
  if (v < 0 || v > kLevelMax) return;
  if (v == current) {
    SelectTextStyle(dc, FontBatang18Bold, kBlack, &kCream);
  } else {
    SelectTextStyle(dc, FontBatang18Bold, kGrey, &kCyan);
  }
  dc.TextOut(x, 370 - 25 * v, texts[v]);
}

void CSLDView::DrawReverbValue(Canvas& dc, int v) { DrawLevelValue(dc, v, 670, g_ReverbTime); }
void CSLDView::DrawChorusValue(Canvas& dc, int v) { DrawLevelValue(dc, v, 770, g_ChorusLevel); }

void CSLDView::DrawVoiceEntry(Canvas& dc, int p) {
  if (p < 0 || p >= kProgramCount) return;
  const int c = p / kVoiceColumns;
  const int r = p % kVoiceColumns;
  const std::string text = Fixed(Format("%3d: ", p) + g_VoiceName[p], kVoiceEntryChars);
  const Pixel& bg = p == SelectedProgram(SelNeck(), m_SelVoice) ? kCream : kCyan;
  SelectTextStyle(dc, FontBatang15Bold, kGrey, &bg);
  dc.TextOut(40 + 265 * c, 80 + 16 * r + 16 * (r / 8), text);
}

void CSLDView::DrawBankValue(Canvas& dc, int b) {
  const NeckInfo& neck = SelNeck();
  const int value = b == 0 ? (m_SelVoice == 0 ? neck.Voice0MSB : neck.Voice1MSB)
                           : (m_SelVoice == 0 ? neck.Voice0LSB : neck.Voice1LSB);
  SelectTextStyle(dc, FontBatang14, kBlack, &kLightGrey);
  dc.TextOut(320 + 120 * b, 677, value != 0 ? Format("      %3d ", value) : "default=0 ");
}

void CSLDView::DrawVibValue(Canvas& dc, int field) {
  const int p = SelectedProgram(SelNeck(), m_SelVoice);
  if (p < 0 || p >= kProgramCount || field < 0 || field > kVibDelay) return;
  const VibratoInfo& vib = g_Vibrato[p];
  const int value = field == kVibDepth ? vib.Depth : field == kVibRate ? vib.Rate : vib.Delay;
  SelectTextStyle(dc, FontBatang14, kBlack, &kLightGrey);
  dc.TextOut(700 + 120 * field, 677, Format(" %3d ", value));
}

void CSLDView::DrawSpinButtons(Canvas& dc) {
  struct Spin {
    int region;
    const char* caption;
    int caption_dx;  // caption's x relative to the button's left
  };
  static const Spin kSpins[] = {
      {BankMsbUp, "Bank(MSB)", -80}, {BankLsbUp, "Bank(LSB)", -80}, {VibDepthUp, "Vib-Depth", -78},
      {VibRateUp, "Vib-Rate", -70},  {VibDelayUp, "Vib-Delay", -78},
  };
  for (int i = 0; i < 5; ++i) {
    const Rect& up = g_Region[kSpins[i].region];
    dc.Blit(up.left, up.top, 16, 33, m_bmSpinOff);
    SelectTextStyle(dc, FontBatang14Bold, kBlack, nullptr);
    dc.TextOut(up.left + kSpins[i].caption_dx, 660, kSpins[i].caption);
    if (i < 2) DrawBankValue(dc, i); else DrawVibValue(dc, i - 2);
  }
}
