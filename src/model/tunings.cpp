#include "model/tunings.h"

#include <cstring>

#include "model/instrument.h"

const char* const g_NoteNames[kNoteNameCount] = {
    "Cb", "C", "C#", "Db", "D", "D#", "Eb", "E", "E#", "Fb", "F",
    "F#", "Gb", "G", "G#", "Ab", "A", "A#", "Bb", "B", "B#"};

const int g_NoteSemitone[kNoteNameCount] = {-1, 0, 1, 1, 2, 3, 3, 4, 5, 4, 5,
                                            6,  6, 7, 8, 8, 9, 10, 10, 11, 12};

// A sharp is lowered to its natural and raised to the next natural; a flat is
// lowered a semitone and raised to its natural; a natural is lowered to its
// flat and raised to its sharp, except across the B-C and E-F half steps.
const char* const g_PedalNoteNames[kNoteNameCount][3] = {
    {"B", "B#", "C#"},  {"Bb", "B", "C"},   {"A", "Bb", "B"},  {"A", "A#", "B"},
    {"Ab", "A", "A#"},  {"G", "Ab", "A"},   {"G", "G#", "A"},  {"Gb", "G", "G#"},
    {"F", "Gb", "G"},   {"F", "F#", "G"},   {"E", "F", "F#"},  {"Eb", "Fb", "F"},
    {"E", "E#", "F#"},  {"Eb", "E", "F"},   {"D", "Eb", "E"},  {"D", "D#", "E"},
    {"Db", "D", "D#"},  {"C", "Db", "D"},   {"C", "C#", "D"},  {"B", "C", "C#"},
    {"Bb", "Cb", "C"}};

namespace {

constexpr int kLowestOpenString = 24;
constexpr int kHighestOpenString = 127;
constexpr int kMiddleC = 60;
constexpr int kGuideOff = -8;

int Sign(int v) { return (v > 0) - (v < 0); }

int FindPedalRow(const std::string& name) {
  for (int row = 0; row < kNoteNameCount; ++row) {
    if (name == g_PedalNoteNames[row][1]) return row;
  }
  return -1;
}

}  // namespace

int FindNoteName(const char* name) {
  for (int i = 0; i < kNoteNameCount; ++i) {
    if (std::strcmp(name, g_NoteNames[i]) == 0) return i;
  }
  return -1;
}

void BuildPedalNoteNames() {
  for (TuningInfo& t : g_Tuning) {
    for (int s = 0; s < kStringCount; ++s) {
      int row = FindPedalRow(t.NoteName[0][s]);
      if (row < 0) continue;  // an unknown name keeps its previous pedal names
      // Offsets outside -1..+1 cannot come from the editor; count them by sign.
      int a = Sign(t.Pedal[0][s]);
      int b = Sign(t.Pedal[1][s]);
      t.NoteName[1][s] = g_PedalNoteNames[row][1 + a];
      t.NoteName[2][s] = g_PedalNoteNames[row][1 + b];
      t.NoteName[3][s] = g_PedalNoteNames[row][1 + Sign(a + b)];
    }
  }
}

void BuildStringNotes() {
  for (TuningInfo& t : g_Tuning) {
    // Each string takes the highest pitch of its name not above the string
    // before it, so a tuning reads downwards from string 0.
    int upper = kHighestOpenString;
    for (int s = 0; s < kStringCount; ++s) {
      int index = FindNoteName(t.NoteName[0][s].c_str());
      if (index < 0) index = 1;  // an unknown name sounds as "C"
      int n = g_NoteSemitone[index] + kMiddleC;
      while (n > upper) n -= 12;
      while (n < kLowestOpenString) n += 12;
      for (int c = 0; c < kPedalCombinations; ++c) t.Note[c][s] = n;
      upper = n;
    }
    for (int s = 0; s < kStringCount; ++s) {
      int a = t.Pedal[0][s];
      int b = t.Pedal[1][s];
      if (a == -1) t.Note[1][s] -= 1;
      if (a == 1) t.Note[1][s] += 1;
      if (b == -1) t.Note[2][s] -= 1;
      if (b == 1) t.Note[2][s] += 1;
      // Both pedals together move a string one semitone at most.
      t.Note[3][s] += Sign(a + b);
    }
  }
}

int GuideKeyOfName(const char* name) {
  const char first = name[0];
  const char second = first ? name[1] : '\0';
  const char third = second ? name[2] : '\0';
  bool minor = false, sharp = false, flat = false;
  if (second == 'm') {
    minor = true;
  } else if (second == '#' || second == 'b') {
    minor = third == 'm';
    sharp = second == '#';
    flat = second == 'b';
  }
  int root = 0;
  switch (first) {
    case 'C': root = 0; break;
    case 'D': root = 2; break;
    case 'E': root = 4; break;
    case 'F': root = 5; break;
    case 'G': root = 7; break;
    case 'A': root = 9; break;
    case 'B': root = 11; break;
    default: root = 0; break;
  }
  // A minor name shows the major key of its relative major.
  return root + (minor ? 3 : 0) + (sharp ? 1 : 0) - (flat ? 1 : 0);
}

void BuildGuide(int neck) {
  NeckInfo& n = g_Neck[neck];
  if (n.GuideShift == kGuideOff) {
    for (auto& row : n.Guide)
      for (int32_t& cell : row) cell = 0;
    return;
  }
  const TuningInfo& t = g_Tuning[n.Tuning];
  int key = GuideKeyOfName(t.Name.c_str()) + n.GuideShift;
  while (key < 0) key += 12;
  while (key > 11) key -= 12;
  // Degree of each interval above the key in the major scale; 0 off the scale.
  static constexpr int kDegree[12] = {1, 0, 2, 0, 3, 4, 0, 5, 0, 6, 0, 7};
  const int c = PedalCombination();
  for (int s = 0; s < kStringCount; ++s) {
    for (int f = 0; f < kFretCount; ++f) {
      int p = t.Note[c][s] + f;
      int d = ((p - key + 12) % 12 + 12) % 12;
      n.Guide[s][f] = kDegree[d];
    }
  }
}
