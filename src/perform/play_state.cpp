#include "perform/play_state.h"

#include "model/instrument.h"

int32_t g_PlayString = -1;
int32_t g_BarX;
int32_t g_DrawnNeck = -1;
int32_t g_DrawnString = -1;
int32_t g_DrawnFret = -1;
int32_t g_DrawnBarX;
int32_t g_bBarShown;
int32_t g_Capture = -1;

int32_t g_KeyDown[kShapeCount];
int32_t g_bKeyHeld;
int32_t g_FretCentreX;
int32_t g_StrokeString = -1;
int32_t g_StrokeLast = -1;

Point g_CursorClient{0, 0};
Point g_CursorScreen{0, 0};
int32_t g_HintRegion = -1;

void ResetPlayState() {
  for (int32_t& k : g_KeyDown) k = 0;
  g_bKeyHeld = 0;
  g_FretCentreX = 0;
  g_StrokeString = -1;
  g_StrokeLast = -1;
  g_BarX = 0;
  g_DrawnBarX = 0;
  g_bBarShown = 0;
  g_Capture = -1;
  g_CursorClient = {0, 0};
  g_CursorScreen = {0, 0};
  g_HintRegion = -1;
  ResetPlayPosition();
}

void ResetPlayPosition() {
  g_PlayNeck = -1;
  g_BarFret = -1;
  g_PlayString = -1;
  g_DrawnNeck = -1;
  g_DrawnString = -1;
  g_DrawnFret = -1;
}
