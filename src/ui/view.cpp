#include "ui/view.h"

#include "perform/play_state.h"
#include "platform/message_box.h"
#include "platform/pictures.h"
#include "ui/colours.h"
#include "ui/hit_test.h"
#include "ui/layout.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"
#include "ui/view_screen.h"

CSLDView* g_pView = nullptr;

namespace {
// What the window shows where a page picture is missing.
constexpr Pixel kEmptyBackground = Rgb(255, 255, 255);
constexpr int kTuningColumnX0 = 40;    // x of tuning set 0's column on page 1
constexpr int kTuningColumnStep = 140;
constexpr int kNameBoxTop = 174, kNameBoxWidth = 62, kNameBoxBottom = 196;
}  // namespace

CSLDView::CSLDView() : m_Canvas(kWindowWidth, kWindowHeight) {}

CSLDView::~CSLDView() {
  if (g_pView == this) g_pView = nullptr;
}

int CSLDView::OnCreate() {
  g_pView = this;
  LinkViewToEngine();

  FontArial15Bold = Font::Open("Arial", 15, 700);
  FontArial16Bold = Font::Open("Arial", 16, 700);
  FontArial17 = Font::Open("Arial", 17, 500);
  FontArial17Bold = Font::Open("Arial", 17, 700);
  FontArial18Bold = Font::Open("Arial", 18, 700);
  FontArial32Bold = Font::Open("Arial", 32, 700);
  FontBatang14 = Font::Open("BatangChe", 14, 500);
  FontBatang14Bold = Font::Open("BatangChe", 14, 700);
  FontBatang15Bold = Font::Open("BatangChe", 15, 700);
  FontBatang16Bold = Font::Open("BatangChe", 16, 700);
  FontBatang18Bold = Font::Open("BatangChe", 18, 700);
  FontBatang20Bold = Font::Open("BatangChe", 20, 700);

  for (int t = 0; t < kTuningCount; ++t) {
    int x0 = kTuningColumnX0 + kTuningColumnStep * t;
    m_TuningNameEdit[t].Create({x0, kNameBoxTop, x0 + kNameBoxWidth, kNameBoxBottom},
                               kTuningNameEditId + t);
    m_TuningNameEdit[t].SetLimitText(kTuningNameLimit);
  }
  for (TuningNameEdit& box : m_TuningNameEdit) box.Show(false);

  m_bmPlayer = LoadPicture("Player.bmp");
  m_bmTuning = LoadPicture("Tuning.bmp");
  m_bmBarTipMask = LoadPicture("SlidebarU_Mask.bmp");
  m_bmBarTip = LoadPicture("SlidebarU.bmp");
  m_bmBarBody = LoadPicture("SlidebarL.bmp");
  m_bmSpinUp = LoadPicture("SpinButton_Up.bmp");
  m_bmSpinDown = LoadPicture("SpinButton_Down.bmp");
  m_bmSpinOff = LoadPicture("SpinButton_Off.bmp");
  m_bmNoteBack = LoadPicture("NoteBackGround.bmp");
  m_bmHintBack = LoadPicture("HintBackGround.bmp");

  m_hbmBarSave = Picture(kBarSaveWidth, kBarSaveHeight);

  for (NeckInfo& neck : g_Neck) {
    for (int32_t& note : neck.SoundingNote) note = -1;
  }
  return 0;
}

void CSLDView::SelectTextStyle(Canvas& dc, const Font& font, Pixel color, const Pixel* background) {
  if (!font.valid()) {
    MessageBeep(MB_ICONEXCLAMATION);
    ShowMessageBox("0 == pDC->SelectObject()", "Slidora Quenlo", MB_OK);
  }
  dc.SelectFont(&font);
  dc.SetTextColor(color);
  if (background) dc.SetOpaque(*background); else dc.SetTransparent();
}

void CSLDView::RestoreBackground(Canvas& dc, const Rect& r) {
  const Picture& page = g_Page == kPlayPage ? m_bmPlayer : m_bmTuning;
  if (page.empty()) {
    dc.Fill(r, kEmptyBackground);
    return;
  }
  dc.Blit(r.left, r.top, r.right - r.left, r.bottom - r.top, page, r.left, r.top);
}

void CSLDView::CopyPage(Canvas& dc, const Picture& page) {
  if (page.empty()) {
    dc.Fill({0, 0, dc.width(), dc.height()}, kEmptyBackground);
    return;
  }
  dc.Blit(0, 0, kPageWidth, kPageHeight, page);
  // The client area is a few pixels wider than the pictures: the window's own
  // background there continues the picture's last column.
  for (int x = kPageWidth; x < dc.width(); ++x) {
    dc.Blit(x, 0, 1, dc.height(), page, kPageWidth - 1, 0);
  }
}

void CSLDView::OnDraw(Canvas& dc) {
  const int region = g_bAutoPlay ? -1 : HitTest(g_CursorClient.x, g_CursorClient.y);
  switch (g_Page) {
    case kPlayPage:
      CopyPage(dc, m_bmPlayer);
      SelectTextStyle(dc, FontArial16Bold, kGrey, nullptr);
      dc.TextOut(1295, 54, kVersionText);
      for (int n = 0; n < kNeckCount; ++n) {
        for (int s = 0; s < kStringCount; ++s) DrawGuideRow(dc, n, s);
      }
      for (int n = 0; n < kNeckCount; ++n) {
        for (int t = 0; t < kTuningCount; ++t) DrawTuningSetName(dc, n, t);
      }
      for (int n = 0; n < kNeckCount; ++n) DrawNoteColumn(dc, n);
      for (int n = 0; n < kNeckCount; ++n) {
        for (int v = 0; v < 2; ++v) DrawVoiceName(dc, n, v);
      }
      for (int n = 0; n < kNeckCount; ++n) {
        for (int v = 0; v < 2; ++v) DrawVolume(dc, n, v);
      }
      for (int n = 0; n < kNeckCount; ++n) DrawGuideShift(dc, n);
      for (int n = 0; n < kNeckCount; ++n) DrawMidiShift(dc, n);
      {
        // The bar is drawn on the whole window, not only on the repainted part.
        const Rect clip = dc.clip();
        dc.ResetClip();
        DrawBar(1);
        dc.SetClip(clip);
      }
      DrawHint(dc, region);
      break;
    case kTuningPage:
      CopyPage(dc, m_bmTuning);
      for (int t = 0; t < kTuningCount; ++t) DrawTuningColumn(dc, t);
      SelectTextStyle(dc, FontArial17, kGrey, &kLightBlue);
      dc.TextOut(10, 680, kTuningFooter);
      break;
    case kMidiPage:
      CopyPage(dc, m_bmTuning);
      SelectTextStyle(dc, FontBatang18Bold, kGrey, nullptr);
      dc.TextOut(250, 90, "MIDI output device");
      SelectTextStyle(dc, FontBatang14, kGrey, nullptr);
      dc.TextOut(24, 122, "default");
      for (int a = -1; a <= kLastDeviceId; ++a) DrawDeviceRow(dc, a);
      SelectTextStyle(dc, FontBatang18Bold, kGrey, nullptr);
      dc.TextOut(660, 90, "Reverb");
      for (int v = 0; v <= kLevelMax; ++v) DrawReverbValue(dc, v);
      SelectTextStyle(dc, FontBatang18Bold, kGrey, nullptr);
      dc.TextOut(760, 90, "Chorus");
      for (int v = 0; v <= kLevelMax; ++v) DrawChorusValue(dc, v);
      break;
    case kVoicePage:
      CopyPage(dc, m_bmTuning);
      for (int p = 0; p < kProgramCount; ++p) DrawVoiceEntry(dc, p);
      DrawSpinButtons(dc);
      break;
    default:
      break;
  }
  DrawTuningNameBoxes(dc);
}

void CSLDView::DrawTuningNameBoxes(Canvas& dc) {
  for (const TuningNameEdit& box : m_TuningNameEdit) box.Draw(dc, FontArial17);
}

void CSLDView::InvalidateRect(const Rect* r) {
  Rect whole{0, 0, m_Canvas.width(), m_Canvas.height()};
  m_Invalid = Union(m_Invalid, r ? Intersect(*r, whole) : whole);
}

void CSLDView::UpdateWindow() {
  if (!IsEmpty(m_Invalid)) {
    // The page is drawn whole but changes only inside the invalid area, as a
    // window's paint is clipped to its update region.
    m_Canvas.SetClip(m_Invalid);
    m_Invalid = {0, 0, 0, 0};
    OnDraw(m_Canvas);
    m_Canvas.ResetClip();
  }
  Present();
}

void CSLDView::Present() {
  if (!m_Presenter || !m_Canvas.HasDirty()) return;
  m_Presenter(m_Canvas.picture(), m_Canvas.TakeDirty());
}
