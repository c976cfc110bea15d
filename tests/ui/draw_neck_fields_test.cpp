// Page 0 as the player sees it: tuning-set names, volumes, shifts, note columns
// and the hint line, checked by text and by pixel.
#include <gtest/gtest.h>

#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"
#include "view_fixture.h"

namespace {

using NeckFields = ViewTest;

Rect CellOf(const DrawnText& t) {
  return {t.x, t.y, t.x + t.font->TextWidth(t.text), t.y + t.font->height()};
}

TEST_F(NeckFields, CurrentTuningSetIsOrangeOthersGreyAndSwapAfterSelect) {
  g_Neck[0].Tuning = 2;
  view_->OnDraw(dc());
  for (int t = 0; t < kTuningCount; ++t) {
    const DrawnText* name = TextAt(113 + 60 * t, 340);
    ASSERT_NE(name, nullptr) << t;
    EXPECT_EQ(name->text, g_Tuning[t].Name);
    EXPECT_EQ(name->color, t == 2 ? kOrange : kGrey) << t;
    EXPECT_EQ(name->font, &view_->FontArial18Bold);
    EXPECT_FALSE(name->opaque);
    EXPECT_EQ(CountColour(CellOf(*name), kOrange) > 0, t == 2) << t;
  }
  view_->SelectTuningSet(dc(), 0, 5);
  EXPECT_EQ(g_Neck[0].Tuning, 5);
  EXPECT_EQ(TextAt(113 + 60 * 2, 340)->color, kGrey);
  EXPECT_EQ(TextAt(113 + 60 * 5, 340)->color, kOrange);
  EXPECT_EQ(CountColour(CellOf(*TextAt(113 + 120, 340)), kOrange), 0);
  EXPECT_GT(CountColour(CellOf(*TextAt(113 + 120, 340)), kGrey), 0);
  EXPECT_GT(CountColour(CellOf(*TextAt(113 + 300, 340)), kOrange), 0);
  // The lower neck's names are untouched and choosing the current set again does nothing.
  const size_t drawn = dc().texts().size();
  view_->SelectTuningSet(dc(), 0, 5);
  EXPECT_EQ(dc().texts().size(), drawn);
}

TEST_F(NeckFields, FieldTextsAndPlaces) {
  struct Case {
    const char* what;
    void (*set)();
    void (*draw)(CSLDView&, Canvas&);
    int x, y;
    const char* text;
  };
  const Case cases[] = {
      {"volume 5", [] { g_Neck[0].Volume0 = 5; }, [](CSLDView& v, Canvas& c) { v.DrawVolume(c, 0, 0); },
       917, 330, "   5 "},
      {"volume 10", [] { g_Neck[0].Volume1 = 10; }, [](CSLDView& v, Canvas& c) { v.DrawVolume(c, 0, 1); },
       918, 349, " 10 "},
      {"volume 0 lower", [] { g_Neck[1].Volume1 = 0; }, [](CSLDView& v, Canvas& c) { v.DrawVolume(c, 1, 1); },
       917, 649, "   0 "},
      {"guide off", [] { g_Neck[0].GuideShift = -8; }, [](CSLDView& v, Canvas& c) { v.DrawGuideShift(c, 0); },
       1032, 340, "Off"},
      {"guide 0", [] { g_Neck[0].GuideShift = 0; }, [](CSLDView& v, Canvas& c) { v.DrawGuideShift(c, 0); },
       1032, 340, "  0 "},
      {"guide +3", [] { g_Neck[1].GuideShift = 3; }, [](CSLDView& v, Canvas& c) { v.DrawGuideShift(c, 1); },
       1029, 640, " +3 "},
      {"guide -7", [] { g_Neck[0].GuideShift = -7; }, [](CSLDView& v, Canvas& c) { v.DrawGuideShift(c, 0); },
       1032, 340, " -7 "},
      {"midi +12", [] { g_Neck[0].MidiShift = 12; }, [](CSLDView& v, Canvas& c) { v.DrawMidiShift(c, 0); },
       1135, 340, " +12 "},
      {"midi +5", [] { g_Neck[0].MidiShift = 5; }, [](CSLDView& v, Canvas& c) { v.DrawMidiShift(c, 0); },
       1135, 340, "  +5 "},
      {"midi 0", [] { g_Neck[1].MidiShift = 0; }, [](CSLDView& v, Canvas& c) { v.DrawMidiShift(c, 1); },
       1138, 640, "   0 "},
      {"midi -12", [] { g_Neck[1].MidiShift = -12; }, [](CSLDView& v, Canvas& c) { v.DrawMidiShift(c, 1); },
       1138, 640, " -12 "},
      {"jazz guitar", [] { g_Neck[1].Voice0No = 26; }, [](CSLDView& v, Canvas& c) { v.DrawVoiceName(c, 1, 0); },
       666, 630, "Jazz  Guitar"},
  };
  for (const Case& c : cases) {
    c.set();
    dc().texts().clear();
    c.draw(*view_, dc());
    ASSERT_EQ(dc().texts().size(), 1u) << c.what;
    const DrawnText& t = dc().texts()[0];
    EXPECT_EQ(t.x, c.x) << c.what;
    EXPECT_EQ(t.y, c.y) << c.what;
    EXPECT_EQ(t.text, c.text) << c.what;
    EXPECT_EQ(t.color, kGrey) << c.what;
    EXPECT_TRUE(t.opaque) << c.what;
    EXPECT_EQ(t.background, kLightGrey) << c.what;
    // The opaque cell starts with a blank (or the "O" of Off): its first column is field grey.
    if (c.text[0] == ' ') {
      EXPECT_EQ(dc().At(c.x, c.y), kLightGrey) << c.what;
    }
    EXPECT_GT(CountColour(CellOf(t), kGrey), 0) << c.what;
  }

  // A field stepped in place looks as after a whole repaint: "Off" stepped up
  // to -7 leaves no part of the wider word beside the new text.
  g_Neck[0].GuideShift = -8;
  view_->DrawGuideShift(dc(), 0);
  g_Neck[0].GuideShift = -7;
  view_->DrawGuideShift(dc(), 0);
  const Picture stepped = dc().picture();
  view_->OnDraw(dc());
  const Rect& field = g_Region[UpperGuideShift];
  for (int y = field.top; y < field.bottom; ++y) {
    for (int x = field.left; x < field.right; ++x) {
      ASSERT_EQ(stepped.At(x, y), dc().At(x, y)) << x << "," << y;
    }
  }
}

TEST_F(NeckFields, NoteColumnsFollowThePedals) {
  const TuningInfo& upper = g_Tuning[g_Neck[0].Tuning];
  const int rows[][2] = {{0, 0}, {1, 1}, {1, 0}, {0, 1}};  // pedal 1, pedal 2
  for (const auto& r : rows) {
    g_Pedal1 = r[0];
    g_Pedal2 = r[1];
    dc().texts().clear();
    view_->DrawNoteColumn(dc(), 0);
    const int k = r[0] + 2 * r[1];
    for (int s = 0; s < kStringCount; ++s) {
      const DrawnText* t = TextAt(23, 114 + 24 * s);
      ASSERT_NE(t, nullptr);
      EXPECT_EQ(t->text, upper.NoteName[k][s]) << "row " << k << " string " << s;
    }
  }
}

TEST_F(NeckFields, GuideDigitsStandOnTheirCells) {
  view_->OnDraw(dc());
  int digits = 0;
  for (int n = 0; n < kNeckCount; ++n) {
    for (int s = 0; s < kStringCount; ++s) {
      for (int f = 0; f < kFretCount; ++f) {
        const DrawnText* t = TextAt(50 + 64 * f, 109 + 300 * n + 24 * s);
        const int g = g_Neck[n].Guide[s][f];
        if (g == 0) {
          EXPECT_EQ(t, nullptr);
          continue;
        }
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->text, std::to_string(g));
        EXPECT_EQ(t->color, kBlack);
        ++digits;
      }
    }
  }
  EXPECT_GT(digits, 80);
  EXPECT_EQ(TextAt(1295, 54)->text, kVersionText);
}

TEST_F(NeckFields, HintLineRules) {
  const Picture backdrop = ReadBmp(dir_.path() + "/Bitmap/HintBackGround.bmp");
  auto line_is_backdrop = [&] {
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 970; ++x) {
        if (dc().At(x, 676 + y) != backdrop.At(x, y)) return false;
      }
    }
    return true;
  };
  view_->DrawHint(dc(), -1);
  EXPECT_TRUE(line_is_backdrop());

  // The neck's long hint, then a field's shorter one: the long one's tail stays.
  view_->DrawHint(dc(), UpperNeck);
  const int long_end = 10 + view_->FontArial17.TextWidth(g_HintText[UpperNeck]);
  const int short_end = 10 + view_->FontArial17.TextWidth(g_HintText[UpperVoice0Name]);
  ASSERT_GT(long_end, short_end + 50);
  const Rect tail = {short_end, 680, long_end, 697};
  const int tail_grey = CountColour(tail, kGrey);
  EXPECT_GT(tail_grey, 0);
  view_->DrawHint(dc(), UpperVoice0Name);
  EXPECT_EQ(TextAt(10, 680)->text, g_HintText[UpperVoice0Name]);
  EXPECT_EQ(CountColour(tail, kGrey), tail_grey);

  // A region without a hint leaves the line as it was.
  const Picture before = dc().picture();
  for (int r : {int{TuningButton}, int{MidiButton}, int{MoveButton}, int{MinimizeButton}, int{CloseButton}, UpperTuningSet + 2,
                LowerTuningSet + 7}) {
    view_->DrawHint(dc(), r);
    EXPECT_EQ(dc().picture().pixels(), before.pixels()) << r;
  }
  // Over no region the line is blank again.
  view_->DrawHint(dc(), -1);
  EXPECT_TRUE(line_is_backdrop());

  // The play button: black on cream, its text by whether a song is ready.
  g_bSongReady = 0;
  view_->DrawHint(dc(), PlayButton);
  EXPECT_EQ(TextAt(10, 680)->text, kPlayHintNoSong);
  EXPECT_EQ(TextAt(10, 680)->background, kCream);
  EXPECT_EQ(dc().At(10, 680), kCream);
  g_bSongReady = 1;
  view_->DrawHint(dc(), PlayButton);
  EXPECT_EQ(TextAt(10, 680)->text, kPlayHintSongReady);
  EXPECT_EQ(TextAt(10, 680)->color, kBlack);

  // While a song plays the stop hint replaces any hint, red on cream.
  g_bAutoPlay = 1;
  view_->DrawHint(dc(), -1);
  EXPECT_EQ(TextAt(10, 680)->text, kStopHint);
  EXPECT_EQ(TextAt(10, 680)->color, kRed);
  EXPECT_GT(CountColour({10, 680, 200, 697}, kRed), 0);

  // Page 3 draws no hint at all.
  g_bAutoPlay = 0;
  g_Page = 3;
  const size_t n = dc().texts().size();
  view_->DrawHint(dc(), UpperNeck);
  EXPECT_EQ(dc().texts().size(), n);
}

TEST_F(NeckFields, TheSaveUnderStripRestoresTheNeckExactly) {
  view_->OnDraw(dc());
  const Picture painted = dc().picture();
  Picture& save = view_->barSave();
  // Draw the bar over string 2 at bar x 300, move it to 340, then take it away.
  auto draw_bar = [&](int bar_x, int s) {
    const int x = kNeckLeft + bar_x - 7, top = 111 + 4;
    dc().Save(save, x, top, 15, 192);
    dc().Blit(x, top + 24 * s + 16, 15, 170 - 24 * s, view_->barBody());
    dc().Blit(x, top + 24 * s, 15, 16, view_->barTipMask(), 0, 0, RasterOp::Or);
    dc().Blit(x, top + 24 * s, 15, 16, view_->barTip(), 0, 0, RasterOp::And);
  };
  auto restore = [&](int bar_x) { dc().Blit(kNeckLeft + bar_x - 7, 115, 15, 192, save); };
  draw_bar(300, 2);
  EXPECT_NE(dc().picture().pixels(), painted.pixels());
  restore(300);
  draw_bar(340, 2);
  restore(340);
  EXPECT_EQ(dc().picture().pixels(), painted.pixels());
}

TEST_F(NeckFields, RepaintOfAnAreaChangesOnlyThatArea) {
  view_->OnDraw(dc());
  view_->DrawHint(dc(), UpperNeck);  // a hint outside the area to be repainted
  const Picture before = dc().picture();
  g_Neck[0].GuideShift = -8;  // guide off: the upper neck's digits go
  BuildGuide(0);
  const Rect neck = g_Region[UpperNeck];
  view_->InvalidateRect(&neck);
  view_->UpdateWindow();
  int changed_inside = 0;
  for (int y = 0; y < dc().height(); ++y) {
    for (int x = 0; x < dc().width(); ++x) {
      bool inside = x >= neck.left && x < neck.right && y >= neck.top && y < neck.bottom;
      if (dc().At(x, y) != before.At(x, y)) {
        ASSERT_TRUE(inside) << x << "," << y;
        ++changed_inside;
      }
    }
  }
  EXPECT_GT(changed_inside, 0);
}

}  // namespace
