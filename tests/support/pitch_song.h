// A song for measuring pitch: steady tones (a square lead on both voices,
// vibrato off), a plain note, a slid one and one under pedal 1, and the
// frequencies of equal temperament to hold them against.
#pragma once

#include <cmath>
#include <string>

// Tempo 60: 24 units are one second. String 1 of the tuning is G#4 (MIDI 68),
// raised by pedal 1. The song lasts 7.5 s.
inline std::string PitchSong() {
  return "01=60\n02=0\n03=80\n04=0\n05=0\n06=127\n07=80\n08=0\n09=0\n10=127\n11=0\n12=0\n"
         "13=0\n14=0\n15=E9\n16=G#,E,B,G#,F#,E,B,E\n17=#,0,0,#,0,0,0,0\n18=0,b,0,0,0,b,0,0\n"
         "19=100\n20=100\n21=100\n22=100\n"
         "depth1=0,depth2=0,b=1,5,v=100\n"
         "k=1,t=48,k=off,t=12\n"            // 0.0 s: fret 5, C#5 (73)
         "b=1,5,k=1,s=12,7,t=48,k=off,t=12\n"  // 2.5 s: slid up to fret 7, D#5 (75)
         "b=1,5,p1=on,k=1,t=48,k=off,p1=off,t=12\n";  // 5.5 s: fret 5 under pedal 1, D5 (74)
}

// Where the song's three notes sound steadily (seconds from its start), and
// their notes.
struct PitchSongNote {
  const char* what;
  double from, to;
  int note;
};
inline constexpr PitchSongNote kPitchSongNotes[] = {
    {"plain", 0.5, 1.5, 73}, {"after a slide", 3.5, 4.5, 75}, {"under pedal 1", 6.0, 7.0, 74}};

inline double EqualTempered(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }
