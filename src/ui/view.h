// The view: the single window's content. It owns the canvas the panel is drawn
// into, the twelve fonts, the ten pictures and the bar's save strip, paints the
// four pages and refreshes single fields in place.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "platform/canvas.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/picture.h"
#include "ui/tuning_name_edit.h"

inline constexpr int kTuningNameLimit = 5;       // characters of a tuning name
inline constexpr int kTuningNameEditId = 32000;  // control id of box 0; box t is 32000 + t
// Page backgrounds are copied at this size; the client area is smaller.
inline constexpr int kPageWidth = 1356;
inline constexpr int kPageHeight = 720;
// The strip saved under the slide bar: 23 x 210 is kept, 15 x 192 of it used.
inline constexpr int kBarSaveWidth = 23;
inline constexpr int kBarSaveHeight = 210;
inline constexpr int kLastDeviceId = 12;  // the device list shows -1 (mapper) to 12
inline constexpr int kLevelMax = 10;      // reverb and chorus levels 0..10

class CSLDView {
 public:
  CSLDView();
  ~CSLDView();
  CSLDView(const CSLDView&) = delete;
  CSLDView& operator=(const CSLDView&) = delete;

  // Creates fonts, name boxes, pictures and strips, sets g_pView, makes the view
  // the engine's screen and marks every string silent. Returns 0.
  int OnCreate();

  // Paints the page named by g_Page completely.
  void OnDraw(Canvas& dc);

  // Field routines: each redraws one field in place.
  void SelectTextStyle(Canvas& dc, const Font& font, Pixel color, const Pixel* background);
  void DrawGuideRow(Canvas& dc, int neck, int string);
  void DrawTuningSetName(Canvas& dc, int neck, int set);
  void DrawNoteColumn(Canvas& dc, int neck);
  void DrawVoiceName(Canvas& dc, int neck, int voice);
  void DrawVolume(Canvas& dc, int neck, int voice);
  void DrawGuideShift(Canvas& dc, int neck);
  void DrawMidiShift(Canvas& dc, int neck);
  void DrawHint(Canvas& dc, int region);
  // Puts a text of the program's own on the hint line at once (on every page
  // that has the line); it stays until the next hint replaces it.
  void ShowHintMessage(const std::string& text);
  void DrawDeviceGoneNote(Canvas& dc, int x);
  // The open output device vanished or came back: its row and the hint line.
  void ShowMidiPortState();
  void DrawTuningColumn(Canvas& dc, int set);
  void DrawDeviceRow(Canvas& dc, int device);
  void DrawReverbValue(Canvas& dc, int value);
  void DrawChorusValue(Canvas& dc, int value);
  void DrawVoiceEntry(Canvas& dc, int program);
  void DrawBankValue(Canvas& dc, int which);  // 0 MSB, 1 LSB
  enum VibField { kVibDepth = 0, kVibRate = 1, kVibDelay = 2 };
  void DrawVibValue(Canvas& dc, int field);
  void SelectTuningSet(Canvas& dc, int neck, int set);

  // The tuning-name boxes: shown and filled on page 1, read back when it is left.
  void DrawTuningNameBoxes(Canvas& dc);

  // Repainting. InvalidateRect marks an area (null: the whole view) to be painted;
  // UpdateWindow paints it now; Present hands the changed rectangles to the window.
  void InvalidateRect(const Rect* r);
  void UpdateWindow();
  bool HasInvalidArea() const { return !IsEmpty(m_Invalid); }
  void Present();
  using Presenter = std::function<void(const Picture&, const std::vector<Rect>&)>;
  void SetPresenter(Presenter p) { m_Presenter = std::move(p); }

  Canvas& canvas() { return m_Canvas; }
  const Picture& barTipMask() const { return m_bmBarTipMask; }
  const Picture& barTip() const { return m_bmBarTip; }
  const Picture& barBody() const { return m_bmBarBody; }
  const Picture& spinOff() const { return m_bmSpinOff; }
  const Picture& spinUp() const { return m_bmSpinUp; }
  const Picture& spinDown() const { return m_bmSpinDown; }
  Picture& barSave() { return m_hbmBarSave; }

  int m_SelNeck = 0;   // neck whose voice is chosen on page 3
  int m_SelVoice = 0;  // voice 0 or 1 of that neck
  TuningNameEdit m_TuningNameEdit[kTuningCount];

  Font FontArial15Bold, FontArial16Bold, FontArial17, FontArial17Bold, FontArial18Bold,
      FontArial32Bold, FontBatang14, FontBatang14Bold, FontBatang15Bold, FontBatang16Bold,
      FontBatang18Bold, FontBatang20Bold;

 private:
  void DrawLevelValue(Canvas& dc, int value, int x, int current);
  // Puts the current page's picture back under a text about to be redrawn, so
  // that smoothed letter edges do not thicken with every redraw.
  void RestoreBackground(Canvas& dc, const Rect& r);
  void CopyPage(Canvas& dc, const Picture& page);
  void DrawSpinButtons(Canvas& dc);
  const NeckInfo& SelNeck() const { return g_Neck[m_SelNeck]; }

  Canvas m_Canvas;
  Rect m_Invalid{0, 0, 0, 0};
  Presenter m_Presenter;

  Picture m_bmPlayer, m_bmTuning, m_bmBarTipMask, m_bmBarTip, m_bmBarBody, m_bmSpinUp,
      m_bmSpinDown, m_bmSpinOff, m_bmNoteBack, m_bmHintBack;
  Picture m_hbmBarSave;
};

extern CSLDView* g_pView;
