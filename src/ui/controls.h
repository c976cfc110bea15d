// What a click on the panel does besides playing: the page tabs, the window
// buttons, the neck fields of the playing page, the tuning editor, the MIDI
// settings, the voice list and its spin buttons, and their preview notes.
#pragma once

#include <cstdint>

#include "platform/messages.h"

// Value ranges of the panel fields; a step beyond them changes nothing.
inline constexpr int kVolumeMax = 10;
inline constexpr int kGuideShiftMin = -8;  // -8 turns the guide off ("Off")
inline constexpr int kGuideShiftMax = 7;
inline constexpr int kMidiShiftMin = -12;  // semitones
inline constexpr int kMidiShiftMax = 12;
inline constexpr int kSpinValueMax = 127;  // bank and vibrato values 0..127
inline constexpr int kEffectLevelMax = 10;  // reverb and chorus 0..10

// The held spin button repeats through window timer 1: first after 400 ms,
// then every 100 ms.
inline constexpr uint32_t kSpinTimerId = 1;
inline constexpr uint32_t kSpinFirstRepeatMs = 400;
inline constexpr uint32_t kSpinRepeatMs = 100;

inline constexpr int kPreviewVelocity = 127;
inline constexpr int kVoicePreviewNote = 60;  // middle C sounds a voice chosen from the list

// A preview note sounds while a button is held on the tuning editor or the
// voice list; -1 when none.
extern int32_t g_PreviewNote;
// Screen point of the last window-drag step.
extern Point g_DragOrigin;

// The tuning-name boxes of the tuning editor: shown filled with the names, or
// hidden; read back into the names (an empty name becomes "?").
void ShowTuningNameBoxes(bool show);
void ApplyTuningNameBoxes();
// On closing the window by any way: the open tuning editor's names are taken.
void ApplyTuningNamesOnClose();

// Tuning editor: steps a string's note name through the 21 names (wrapping)
// and sounds it; steps a pedal offset within -1..1. p is 0 for pedal 1.
void StepNoteName(int t, int s, int delta);
void StepPedalOffset(int t, int s, int p, int delta);

// MIDI settings page: each acts only when the point is on one of its rows.
void SelectMidiDevice(Point p);
void SelectReverb(Point p);
void SelectChorus(Point p);

// Voice page: the entry of the voice list under the point (program 0..127), or -1.
int VoiceListEntryAt(Point p);
// Makes program p the chosen voice's sound, loads it and sounds the preview.
void SelectVoiceProgram(int p);

// Spin buttons (regions 36..45) of the voice page.
void PressSpinButton(int region);
void ReleaseSpinButton();

// Window timer handler: repeats a held spin button. True when handled.
bool OnTimer(uint32_t id);
// On the tuning editor the pointer over the client area is the arrow; true
// when the cursor was set here, false for the default processing.
bool OnSetCursor(bool over_client);

// One step of a window drag: moves the window by the pointer's motion since
// the last step.
void DragWindowStep();

// The panel's parts of the button handlers, after the hit test gave r.
void ControlsLeftPress(int r, Point p);
void ControlsRightPress(int r, Point p);
void ControlsLeftRelease();
void ControlsRightRelease();

// Routes a view message the controls handle (window timer 1). True when handled.
bool DispatchControlMessage(const Message& m);
// Clicks and typing that belong to a visible tuning-name box, as the box
// window would take them before the view. True when the box took the message.
bool RouteToTuningNameBoxes(const Message& m);

// Hands the playing code the panel's reactions to pointer motion (window drag,
// release of a spin button left by the pointer).
void LinkControlsToPlaying();

// Program start: no preview note, no drag, no links to the playing code yet.
void ResetControlsState();
