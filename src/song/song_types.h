// The records of a song: the header settings, the parsed score entries and the
// timed events that auto-play walks, with their type codes and size limits.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kSongPathChars = 260;      // longest song path, in characters
inline constexpr int kSongTextBytes = 50000;    // a song file must be shorter than this
inline constexpr int kSongItemCount = 5000;     // parsed entries, end entry included
inline constexpr int kSongEventCount = 100000;  // timed events, end event included
inline constexpr int kSongStrings = 8;          // strings of the song's neck
inline constexpr int kSongVelocities = 4;       // named velocities V1..V4
inline constexpr int kSongCommandValues = 8;    // values taken per command

// Type codes shared by the score entries and the timed events.
enum SongEventType : int32_t {
  EventTime = 0,         // wait a number of time units (not an event)
  EventBar = 1,          // (string - 1) * 32 + fret
  EventVelocity = 2,     // note velocity 0..127
  EventKey = 3,          // number key 0..9 except 6, -1 releases the keys
  EventExpression = 4,   // controller value 0..127
  EventDepth1 = 5,       // vibrato of voice 1
  EventRate1 = 6,
  EventDelay1 = 7,
  EventDepth2 = 8,       // vibrato of voice 2
  EventRate2 = 9,
  EventDelay2 = 10,
  EventPedal1 = 11,      // 1 down, 0 up
  EventPedal2 = 12,
  EventSlide = 99,       // entries: duration then target fret; events: bend offset
  EventEnd = 255,
};

// Time units: 24 make one beat, a bar of four beats is 96 (also the longest wait).
inline constexpr int kUnitsPerBeat = 24;
inline constexpr int kUnitsPerBar = 96;

// "b=" packs the string row and the fret into one value, 32 frets a row.
inline constexpr int kBarStringStride = 32;

struct SongItem {
  int32_t Type;
  int32_t Value;
};

struct SongEvent {
  int32_t TimeMs;  // milliseconds from the song start
  int32_t Type;
  int32_t Value;   // for slides: bar bend from the fret of the last "b=", 64 a fret
};

struct SongHeader {
  std::string TuningName;              // first 5 characters of "15="
  std::string NoteName[kSongStrings];  // strings 1..8
  int32_t Pedal1[kSongStrings];        // -1 flat, 0 none, +1 sharp
  int32_t Pedal2[kSongStrings];
  int32_t Tempo;                       // beats per minute, 30..180
  int32_t GuideShift;                  // -8 guide off, else -7..7
  int32_t MidiShift;                   // semitones, -12..12
  int32_t Reverb;                      // 0..127
  int32_t Chorus;                      // 0..127
  int32_t MidiStartDelay;              // ms, -500..500
  int32_t Voice0No;
  int32_t Voice0MSB;
  int32_t Voice0LSB;
  int32_t Volume0;                     // instrument scale 0..10
  int32_t Voice1No;
  int32_t Voice1MSB;
  int32_t Voice1LSB;
  int32_t Volume1;
  int32_t Velocity[kSongVelocities];   // V1..V4, used while the score is read
};
