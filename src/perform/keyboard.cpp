#include "perform/keyboard.h"

#include "midi/channels.h"
#include "midi/midi_codes.h"
#include "midi/midi_port.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "perform/bar_drawing.h"
#include "perform/neck_geometry.h"
#include "perform/play_state.h"
#include "perform/regions.h"
#include "perform/screen_sink.h"
#include "perform/slide_bar.h"

namespace {

constexpr int kLastString = kStringCount - 1;

// Strings of each shape as offsets from the pointed string (-1 ends the list),
// and the change to the second string's note (keys 7 and 9).
struct Shape {
  int offsets[5];
  int second_note_change;
};
constexpr Shape kShapes[kShapeCount] = {
    {{-1}, 0},                 // 0: stroke, handled apart
    {{0, -1}, 0},              // 1: solo
    {{0, 1, -1}, 0},           // 2: two notes
    {{0, 1, 2, -1}, 0},        // 3: three notes
    {{0, 1, 2, 3, -1}, 0},     // 4: closed four notes
    {{0, 2, 3, 4, -1}, 0},     // 5: spread four notes, s+1 skipped
    {{-1}, 0},                 // 6: plays nothing
    {{0, 1, -1}, -1},          // 7: upper note flattened
    {{0, 1, -1}, 0},           // 8: two notes
    {{0, 1, -1}, +1},          // 9: upper note sharpened
};

bool AnyKeyDown() {
  for (int k = 0; k < kShapeCount; ++k) {
    if (k != kNoShape && g_KeyDown[k]) return true;
  }
  return false;
}

int FirstVelocity(int key, int s) {
  if (g_bAutoPlay) return g_AutoVelocity;
  return key == 1 || s == kLastString ? kVelocityFull : kVelocityFirst;
}

int StrokeFirstVelocity(int s) {
  if (s == kLastString) return g_bAutoPlay ? g_AutoVelocity : kVelocityFull;
  return FurtherVelocity();
}

void HoldNeck(int n) {
  g_Capture = NeckRegion(n);
  TakeCapture();
}

}  // namespace

void CancelStroke() {
  g_StrokeString = -1;
  g_StrokeLast = -1;
  StopTimer(kStrokeTimerSlot);
}

int ShapeOfKey(int vk) {
  int d = -1;
  if (vk >= kVkDigit0 && vk <= kVkDigit0 + 9) d = vk - kVkDigit0;
  if (vk >= kVkNumpad0 && vk <= kVkNumpad0 + 9) d = vk - kVkNumpad0;
  return d == kNoShape ? -1 : d;
}

int FurtherVelocity() {
  return g_bAutoPlay ? g_AutoVelocity * kAutoFurtherPercent / 100 : kVelocityFurther;
}

int BaseNote(int n, int i) {
  const NeckInfo& neck = g_Neck[n];
  return g_Tuning[neck.Tuning].Note[0][i] + g_BarFret + neck.MidiShift;
}

void SoundString(int n, int i, int note, int velocity) {
  const int c = g_Neck[n].Channel[i];
  SendBend(n, i);
  SendShort(kNoteOn + c, note & 0xFF, velocity);
  SendShort(kNoteOn + c + 1, note & 0xFF, velocity);
  g_Neck[n].SoundingNote[i] = note;
}

void SilenceNeck(int n) {
  if (n != 0 && n != 1) return;
  NeckInfo& neck = g_Neck[n];
  for (int i = 0; i < kStringCount; ++i) {
    if (neck.SoundingNote[i] == -1) continue;
    const int c = neck.Channel[i];
    // The port turns the release velocity into 127.
    SendShort(kNoteOff + c, neck.SoundingNote[i] & 0xFF, 0);
    SendShort(kNoteOff + c + 1, neck.SoundingNote[i] & 0xFF, 0);
    neck.SoundingNote[i] = -1;
  }
}

void OnKeyDown(int vk, int, uint32_t flags) {
  if (g_Page != kPlayPage || (flags & kKeyRepeatFlag)) return;
  const int k = ShapeOfKey(vk);
  if (k < 0 || g_PlayNeck == -1) return;

  g_KeyDown[k] = 1;
  g_bKeyHeld = 1;
  CancelStroke();
  SilenceNeck(g_PlayNeck);

  const int n = g_PlayNeck;
  const int s = g_PlayString;
  const int f = g_BarFret;
  // A click can hit-test a neck before the pointer's move there has been
  // delivered and drawn; draw the bar where the notes are, so that the
  // position frozen while the key is held is the one played.
  if (g_DrawnNeck != n || g_DrawnString != s || g_DrawnFret != f) DrawBar(false);

  if (n != g_SoundNeck) {
    g_SoundNeck = n;
    StopTimer(kGlideTimerSlot);
    SetupNeckVoices(n, true);
  }
  ClipCursorToNeck(true, n);
  g_FretCentreX = f * kFretWidth + kFretWidth / 2;
  g_BarBend = BarBendAt(g_BarX);

  if (k == kStrokeShape) {
    const int velocity = StrokeFirstVelocity(s);
    SoundString(n, kLastString, BaseNote(n, kLastString), velocity);
    HoldNeck(n);
    if (s == kLastString) return;
    g_StrokeString = kLastString - 1;
    g_StrokeLast = s;
    if (g_TimerId[kStrokeTimerSlot] == 0) StartTimer(kStrokeTimerSlot);
    return;
  }

  const Shape& shape = kShapes[k];
  SoundString(n, s, BaseNote(n, s), FirstVelocity(k, s));
  HoldNeck(n);
  const int further = FurtherVelocity();
  for (int j = 1; j < 5 && shape.offsets[j] != -1; ++j) {
    const int i = s + shape.offsets[j];
    if (i > kLastString) break;
    const int change = shape.offsets[j] == 1 ? shape.second_note_change : 0;
    SoundString(n, i, BaseNote(n, i) + change, further);
  }
}

void OnKeyUp(int vk, int, uint32_t) {
  if (g_Page != kPlayPage || !g_bKeyHeld) return;
  const int k = ShapeOfKey(vk);
  if (k >= 0) g_KeyDown[k] = 0;
  if (AnyKeyDown()) return;

  g_bKeyHeld = 0;
  SilenceNeck(g_SoundNeck);
  if (g_bAutoPlay) return;
  CancelStroke();
  if (!g_Pedal1 && !g_Pedal2) {
    g_Capture = -1;
    ReleaseMouseCapture();
  }
  ClipCursorToNeck(false, -1);
  Screen().HitTest(g_CursorClient.x, g_CursorClient.y);
  DrawBar(false);
}
