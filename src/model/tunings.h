// Turns a tuning's stored note names and pedal rows into the note names and
// MIDI note numbers of every pedal combination, and a neck's scale-degree guide.
#pragma once

inline constexpr int kNoteNameCount = 21;

// The only note names the system understands, in the order the tuning editor
// offers them, with their semitone above C ("Cb" is -1, "B#" is 12).
extern const char* const g_NoteNames[kNoteNameCount];
extern const int g_NoteSemitone[kNoteNameCount];

// For each understood name: the name a semitone lower, itself, a semitone higher.
// Rows are searched by their middle entry.
extern const char* const g_PedalNoteNames[kNoteNameCount][3];

// Index of a note name in g_NoteNames (exact, case-sensitive), or -1.
int FindNoteName(const char* name);

void BuildPedalNoteNames();  // NoteName[1..3] of all tunings from NoteName[0] and Pedal
void BuildStringNotes();     // Note[0..3] of all tunings from NoteName[0] and Pedal
void BuildGuide(int neck);   // Guide of the neck for its tuning, shift and the pedals now

// The major key (0..11 above C) the guide of a tuning name shows, before the shift.
int GuideKeyOfName(const char* name);
