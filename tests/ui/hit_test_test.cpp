#include "ui/hit_test.h"

#include <gtest/gtest.h>

#include "model/instrument.h"
#include "perform/play_state.h"

namespace {

TEST(PanelHitTest, RegionsCellsAndGridCodes) {
  struct Case {
    int page;
    int x, y;
    int region;
    int neck, string, fret;  // play position after the test; -2 left as it was
  };
  const Case cases[] = {
      {0, 110, 15, 0, -1, -2, -2},      // play button, top-left corner inside
      {0, 210, 15, -1, -1, -1, -1},     // its right edge is outside (half-open)
      {0, 49, 111, 6, 0, 0, 0},         // upper neck, first cell
      {0, 1328, 302, 6, 0, 7, 19},      // the neck's right and bottom edges count
      {0, 1329, 302, -1, -1, -1, -1},
      {0, 600, 602, 21, 1, 7, 8},       // lower neck, last row
      {0, 279, 340, 9, -1, -1, -1},     // tuning button 3 ends at 279, edge included
      {0, 285, 340, -1, -1, -1, -1},    // the gap after it
      {1, 40, 205, 100, -1, -1, -1},    // note box of set 0, string 0
      {1, 40 + 280 + 70, 205 + 78, 331, -1, -1, -1},  // pedal-1 box of set 2, string 3
      {1, 40 + 140 * 7 + 95, 205 + 26 * 7, 872, -1, -1, -1},
      {1, 83, 205, -1, -1, -1, -1},     // right of the note box
      {1, 736, 27, 5, -1, -1, -1},      // the close button on every page
      {3, 400, 660, 36, -1, -1, -1},
      {3, 400, 691, 37, -1, -1, -1},
      {3, 400, 692, -1, -1, -1, -1},    // region 37 ends a pixel early
      {3, 520, 692, 39, -1, -1, -1},
      {2, 80, 145, -1, -1, -1, -1},     // the device page tests its own rows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << " at " << c.x << "," << c.y);
    g_Page = c.page;
    g_bKeyHeld = 0;
    g_Capture = -1;
    EXPECT_EQ(HitTest(c.x, c.y), c.region);
    if (c.page == 0) {
      EXPECT_EQ(g_PlayNeck, c.neck);
      if (c.string != -2) {
        EXPECT_EQ(g_PlayString, c.string);
      }
      if (c.fret != -2) {
        EXPECT_EQ(g_BarFret, c.fret);
      }
    }
  }
  g_Page = 0;
}

TEST(PanelHitTest, HeldKeyFreezesThePlayPosition) {
  g_Page = 0;
  g_bKeyHeld = 1;
  g_Capture = 21;
  g_DrawnNeck = 1;
  g_DrawnString = 4;
  g_DrawnFret = 9;
  EXPECT_EQ(HitTest(700, 60), 21);
  EXPECT_EQ(g_PlayNeck, 1);
  EXPECT_EQ(g_PlayString, 4);
  EXPECT_EQ(g_BarFret, 9);
  EXPECT_EQ(g_BarX, 651);
  g_bKeyHeld = 0;
  g_Capture = -1;
}

}  // namespace
