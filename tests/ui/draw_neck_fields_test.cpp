// Page 0 as the player sees it: tuning-set names, volumes, shifts, note columns
// and the hint line, checked by text and by pixel.
#include <gtest/gtest.h>

#include "model/tunings.h"
#include "ui/controls_fixture.h"
#include "ui/stand_ins.h"
#include "ui/texts.h"

namespace {

using NeckFields = ControlsTest;

TEST_F(NeckFields, FieldTextsAndPlaces) {
  struct Case {
    int neck;
    int32_t NeckInfo::*field;
    int value, x, y;
    const char* text;
  };
  const Case cases[] = {
      {0, &NeckInfo::Volume0, 5, 917, 330, "   5 "},     {0, &NeckInfo::Volume1, 10, 918, 349, " 10 "},
      {1, &NeckInfo::Volume1, 0, 917, 649, "   0 "},     {0, &NeckInfo::GuideShift, -8, 1032, 340, "Off"},
      {0, &NeckInfo::GuideShift, 0, 1032, 340, "  0 "},  {1, &NeckInfo::GuideShift, 3, 1029, 640, " +3 "},
      {0, &NeckInfo::GuideShift, -7, 1032, 340, " -7 "}, {0, &NeckInfo::MidiShift, 12, 1135, 340, " +12 "},
      {0, &NeckInfo::MidiShift, 5, 1135, 340, "  +5 "},  {1, &NeckInfo::MidiShift, 0, 1138, 640, "   0 "},
      {1, &NeckInfo::MidiShift, -12, 1138, 640, " -12 "},
      {1, &NeckInfo::Voice0No, 26, 666, 630, "Jazz  Guitar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    g_Neck[c.neck].*c.field = c.value;
    Drawn();
    view().OnDraw(dc());
    const DrawnText* t = TextAt(c.x, c.y);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, c.text);
    EXPECT_TRUE(t->opaque);
    EXPECT_EQ(t->background, kLightGrey);
    // The opaque cell starts with a blank (or the "O" of Off): its first column is field grey.
    EXPECT_TRUE(c.text[0] != ' ' || dc().At(c.x, c.y) == kLightGrey);
    EXPECT_GT(CountColour(CellOf(*t), kGrey), 0);
  }
  EXPECT_EQ(TextOf(1295, 54), kVersionText);

  // A field stepped in place looks as after a whole repaint: "Off" stepped up
  // to -7 leaves no part of the wider word beside the new text.
  g_Neck[0].GuideShift = -8;
  view().DrawGuideShift(dc(), 0);
  g_Neck[0].GuideShift = -7;
  view().DrawGuideShift(dc(), 0);
  const Picture stepped = dc().picture();
  view().OnDraw(dc());
  EXPECT_TRUE(IsEmpty(Intersect(ChangedSince(stepped), g_Region[UpperGuideShift])));
}

TEST_F(NeckFields, NoteColumnsFollowThePedals) {
  const TuningInfo& upper = g_Tuning[g_Neck[0].Tuning];
  for (int k = 0; k < 4; ++k) {
    g_Pedal1 = k & 1;
    g_Pedal2 = k >> 1;
    Drawn();
    view().DrawNoteColumn(dc(), 0);
    for (int s = 0; s < kStringCount; ++s) {
      const DrawnText* t = TextAt(23, 114 + 24 * s);
      ASSERT_NE(t, nullptr);
      EXPECT_EQ(t->text, upper.NoteName[k][s]) << "row " << k << " string " << s;
    }
  }
}

TEST_F(NeckFields, GuideDigitsStandOnTheirCells) {
  view().OnDraw(dc());
  int digits = 0;
  for (int n = 0; n < kNeckCount; ++n) {
    for (int s = 0; s < kStringCount; ++s) {
      for (int f = 0; f < kFretCount; ++f) {
        const DrawnText* t = TextAt(50 + 64 * f, 109 + 300 * n + 24 * s);
        const int g = g_Neck[n].Guide[s][f];
        ASSERT_EQ(t != nullptr, g != 0) << n << "," << s << "," << f;
        if (g == 0) continue;
        EXPECT_EQ(t->text, std::to_string(g));
        EXPECT_EQ(t->color, kBlack);
        ++digits;
      }
    }
  }
  EXPECT_GT(digits, 80);
}

TEST_F(NeckFields, HintLineRules) {
  const Picture backdrop = ReadBmp(dir().File("Bitmap/HintBackGround.bmp"));
  view().DrawHint(dc(), -1);
  EXPECT_TRUE(Shows(backdrop, 0, 676));

  // The neck's long hint, then a field's shorter one: the long one's tail stays.
  view().DrawHint(dc(), UpperNeck);
  const int long_end = 10 + view().FontArial17.TextWidth(g_HintText[UpperNeck]);
  const int short_end = 10 + view().FontArial17.TextWidth(g_HintText[UpperVoice0Name]);
  ASSERT_GT(long_end, short_end + 50);
  const Rect tail = {short_end, 680, long_end, 697};
  const int tail_grey = CountColour(tail, kGrey);
  EXPECT_GT(tail_grey, 0);
  view().DrawHint(dc(), UpperVoice0Name);
  EXPECT_EQ(TextOf(10, 680), g_HintText[UpperVoice0Name]);
  EXPECT_EQ(CountColour(tail, kGrey), tail_grey);

  // A region without a hint leaves the line as it was.
  const Picture before = dc().picture();
  for (int r : {int{TuningButton}, int{MidiButton}, int{MoveButton}, int{MinimizeButton}, int{CloseButton}, UpperTuningSet + 2,
                LowerTuningSet + 7}) {
    view().DrawHint(dc(), r);
    EXPECT_EQ(dc().picture().pixels(), before.pixels()) << r;
  }
  // Over no region the line is blank again.
  view().DrawHint(dc(), -1);
  EXPECT_TRUE(Shows(backdrop, 0, 676));

  // The play button: black on cream, its text by whether a song is ready.
  g_bSongReady = 0;
  view().DrawHint(dc(), PlayButton);
  EXPECT_EQ(TextOf(10, 680), kPlayHintNoSong);
  EXPECT_EQ(dc().At(10, 680), kCream);
  g_bSongReady = 1;
  view().DrawHint(dc(), PlayButton);
  EXPECT_EQ(TextOf(10, 680), kPlayHintSongReady);
  EXPECT_EQ(TextAt(10, 680)->color, kBlack);

  // While a song plays the stop hint replaces any hint, red on cream.
  g_bAutoPlay = 1;
  view().DrawHint(dc(), -1);
  EXPECT_EQ(TextOf(10, 680), kStopHint);
  EXPECT_EQ(TextAt(10, 680)->color, kRed);
  EXPECT_GT(CountColour({10, 680, 200, 697}, kRed), 0);

  // Page 3 draws no hint at all.
  g_bAutoPlay = 0;
  g_Page = 3;
  const size_t n = dc().texts().size();
  view().DrawHint(dc(), UpperNeck);
  EXPECT_EQ(dc().texts().size(), n);
}

TEST_F(NeckFields, RepaintOfAnAreaChangesOnlyThatArea) {
  view().DrawHint(dc(), UpperNeck);  // a hint outside the area to be repainted
  const Picture before = dc().picture();
  g_Neck[0].GuideShift = -8;  // guide off: the upper neck's digits go
  BuildGuide(0);
  const Rect neck = g_Region[UpperNeck];
  view().InvalidateRect(&neck);
  view().UpdateWindow();
  const Rect c = ChangedSince(before);
  EXPECT_FALSE(IsEmpty(c));
  EXPECT_TRUE(c.left >= neck.left && c.top >= neck.top && c.right <= neck.right && c.bottom <= neck.bottom);
}

}  // namespace
