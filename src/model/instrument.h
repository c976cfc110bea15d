// The shared model of the instrument: two necks, eight stored tunings, the
// vibrato of every General MIDI program and what the player is doing now.
// Touched only on the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kNeckCount = 2;        // 0 upper, 1 lower
inline constexpr int kStringCount = 8;      // 0 is the top (highest) string
inline constexpr int kFretCount = 20;       // one fret is one semitone
inline constexpr int kTuningCount = 8;
inline constexpr int kProgramCount = 128;   // General MIDI programs, zero-based
inline constexpr int kPedalCombinations = 4;  // g_Pedal1 + 2 * g_Pedal2

// Pitch bend is 14-bit with 8192 as centre; every channel bends 24 semitones,
// so one semitone is 8192 / 24 = 341 units.
inline constexpr int kBendCentre = 8192;
inline constexpr int kBendUnitsPerSemitone = 341;

// The window's four pages.
enum PageIndex : int32_t {
  kPlayPage = 0,    // the two necks and their sound fields
  kTuningPage = 1,  // the editor of the eight stored tunings
  kMidiPage = 2,    // output device, reverb and chorus
  kVoicePage = 3,   // the 128 voices, bank and vibrato of the voice chosen
};

struct NeckInfo {
  int32_t Tuning;       // index into g_Tuning, 0..7
  int32_t Voice0MSB;    // bank select MSB (controller 0) of voice 0
  int32_t Voice0LSB;    // bank select LSB (controller 32) of voice 0
  int32_t Voice0No;     // program number of voice 0, 0..127
  int32_t Voice1MSB;
  int32_t Voice1LSB;
  int32_t Voice1No;
  int32_t Volume0;      // 0..10, sent as controller 7 = Volume0 * 127 / 10
  int32_t Volume1;
  int32_t GuideShift;   // -8 (guide off) .. 7 semitones added to the guide's key
  int32_t MidiShift;    // -12..12 semitones added to every note of this neck
  int32_t SoundingNote[kStringCount];  // note now sounding per string, -1 silent
  int32_t BendTarget[kStringCount];    // pedal bend each string glides to: -341, 0, 341
  int32_t BendNow[kStringCount];       // pedal bend applied now, -341..341
  int32_t Channel[kStringCount];       // even channel of the string's pair
  int32_t Guide[kStringCount][kFretCount];  // scale degree 1..7, 0 outside the scale
};

struct TuningInfo {
  std::string Name;                                  // e.g. "C6"; its start names the key
  int32_t Pedal[2][kStringCount];                    // semitones pedal p moves string s
  std::string NoteName[kPedalCombinations][kStringCount];  // row 0 stored, 1..3 derived
  int32_t Note[kPedalCombinations][kStringCount];    // MIDI note of each open string
};

struct VibratoInfo {
  int32_t Depth;  // 0..127, vibrato NRPN data values
  int32_t Rate;
  int32_t Delay;
};

extern NeckInfo g_Neck[kNeckCount];
extern TuningInfo g_Tuning[kTuningCount];
extern VibratoInfo g_Vibrato[kProgramCount];

extern int32_t g_ReverbTime;    // 0..10; controller 91 = value * 127 / 10
extern int32_t g_ChorusLevel;   // 0..10; controller 93 = value * 127 / 10
extern std::string g_MidiOutDeviceName;  // product name of the device to open

extern int32_t g_Pedal1;       // 1 while pedal 1 is down
extern int32_t g_Pedal2;       // 1 while pedal 2 is down
extern int32_t g_PlayNeck;     // neck being played, -1 none
extern int32_t g_SoundNeck;    // neck whose voices are on the channels, -1 none yet
extern int32_t g_BarFret;      // bar position in whole frets, -1 off the necks
extern int32_t g_BarBend;      // bend from the bar's place between frets; 8192 none
extern int32_t g_bAutoPlay;    // 1 while a song plays by itself
extern int32_t g_AutoVelocity; // note velocity during auto-play
extern int32_t g_Page;         // the page shown, a PageIndex

// The pedal combination in force: the row of a tuning's note tables.
inline int PedalCombination() { return g_Pedal1 + 2 * g_Pedal2; }

// Returns the instrument to program start: records zeroed, strings empty, the
// performance values at "none". The first key press therefore loads its neck's
// voices (g_SoundNeck -1) and the bar starts without bend (8192).
void ResetInstrumentState();
