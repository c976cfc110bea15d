#include "ui/stand_ins.h"

#include "model/instrument.h"
#include "ui/layout.h"

int32_t g_bSongReady = 0;

int HitTest(int x, int y) {
  for (int r = PlayButton; r <= CloseButton; ++r) {
    const Rect& q = g_Region[r];
    if (x >= q.left && x < q.right && y >= q.top && y < q.bottom) return r;
  }
  if (g_Page != 0) return -1;
  for (int r = UpperNeck; r <= LowerMidiShift; ++r) {
    const Rect& q = g_Region[r];
    if (x >= q.left && x <= q.right && y >= q.top && y <= q.bottom) return r;
  }
  return -1;
}

void DrawBar(int) {}
