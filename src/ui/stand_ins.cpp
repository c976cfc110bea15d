#include "ui/stand_ins.h"

#include "model/instrument.h"
#include "ui/layout.h"

int32_t g_MidiOutDevice = -1;
int32_t g_bSongReady = 0;

std::string DeviceName(int id) { return id == -1 ? "MIDI Mapper" : "none"; }

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

void AllocateChannels(int) {}
