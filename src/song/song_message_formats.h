// Every message a song load or compilation can show, as printf formats in one
// table: the reader, the header, the score and the compiler show them only by
// their name here, and docs/song-format.md quotes each one (a test holds the
// two together).
#pragma once

#include <cstddef>

enum class SongMessage : int {
  // Finding and reading the file.
  kFileNotTxt,          // path
  kFileNotRead,         // path
  kTooManyCharacters,   // bytes read
  // The line reader's bar-label check: last label, time units since it.
  kBarFraction,
  // Header lines whose key is not the one expected: line number, line as written.
  kMissing01, kMissing02, kMissing03, kMissing04, kMissing05, kMissing06, kMissing07,
  kMissing08, kMissing09, kMissing10, kMissing11, kMissing12, kMissing13, kMissing14,
  kMissing15, kMissing16, kMissing17, kMissing18, kMissing19, kMissing20, kMissing21,
  kMissing22,
  // Header values out of range or malformed: line number, line as written.
  kRangeTempo,
  kRangeStartDelay,
  kRange0To127,
  kRangeGuide,
  kRangeMidiShift,
  kBadTuningName,
  kBadHeaderLine,
  // Pedal rows touching seven or eight strings: line number, lines 17 and 18.
  kTooFewFreeStrings,
  // Score errors: value or key, line number, last label, line as written.
  kScoreData,
  kScoreWhileKeyOff,
  kScoreBeforeBar,
  kScoreUnknownCommand,
  // Without placeholders.
  kTooManyData,
  kNothing,
  kTooManyBars,
  kTooManyEvents,
  kCount
};

struct SongMessageFormat {
  SongMessage id;
  const char* format;
};

inline constexpr SongMessageFormat kSongMessageFormats[] = {
    {SongMessage::kFileNotTxt, "File could not be open.\n\"%s\"  "},
    {SongMessage::kFileNotRead, "File could not be opened.\n\"%s\"  "},
    {SongMessage::kTooManyCharacters, "Too many characters. over %d."},
    {SongMessage::kBarFraction, "%s\nThere are a time fraction of 1 bar.\nTotal time = %d "},
    {SongMessage::kMissing01,
     "Syntax Error in Line %d\nMissing     \"01=***\" / Tempo\t\t        ( 30 .. 180)\nYou wrote \"%s\""},
    {SongMessage::kMissing02,
     "Syntax Error in Line %d\nMissing     \"02=***\" / Delay Time Of MIDI Realtime Messege 0xFA\n"
     "You wrote \"%s\""},
    {SongMessage::kMissing03,
     "Syntax Error in Line %d\nMissing     \"03=***\" / Voice 1 No.           ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing04,
     "Syntax Error in Line %d\nMissing     \"04=***\" / Voice 1 Bank MSB      ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing05,
     "Syntax Error in Line %d\nMissing     \"05=***\" / Voice 1 Bank LSB      ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing06,
     "Syntax Error in Line %d\nMissing     \"06=***\" / Voice 1 Volume        ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing07,
     "Syntax Error in Line %d\nMissing     \"07=***\" / Voice 2 No.           ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing08,
     "Syntax Error in Line %d\nMissing     \"08=***\" / Voice 2 Bank MSB      ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing09,
     "Syntax Error in Line %d\nMissing     \"09=***\" / Voice 2 Bank LSB      ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing10,
     "Syntax Error in Line %d\nMissing     \"10=***\" / Voice 2 Volume        ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing11,
     "Syntax Error in Line %d\nMissing     \"11=***\" / Guide         ( off .. -7 .. 0 .. 7)\nYou wrote \"%s\""},
    // The text names -7 .. 7 but the shift accepts a whole octave either way.
    {SongMessage::kMissing12,
     "Syntax Error in Line %d\nMissing     \"12=***\" / MIDI Shif             (-7 .. 0 .. 7)\nYou wrote \"%s\""},
    {SongMessage::kMissing13,
     "Syntax Error in Line %d\nMissing     \"13=***\" / Reverv        ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing14,
     "Syntax Error in Line %d\nMissing     \"14=***\" / Chorus        ( 0 .. 127)\nYou wrote \"%s\""},
    {SongMessage::kMissing15, "Syntax Error in Line %d\nMissing     \"15=***\" / Tuning Name \nYou wrote \"%s\""},
    {SongMessage::kMissing16,
     "Syntax Error in Line %d\nMissing     \"16=***\" / Note Name Of 1'st String .. 8'th String \n"
     "You wrote \"%s\""},
    {SongMessage::kMissing17,
     "Syntax Error in Line %d\nMissing     \"17=***\" / Effect of Pedal-1     ( b .. 0 .. #) \nYou wrote \"%s\""},
    {SongMessage::kMissing18,
     "Syntax Error in Line %d\nMissing     \"18=***\" / Effect of Pedal-2     ( b .. 0 .. #) \nYou wrote \"%s\""},
    {SongMessage::kMissing19, "Syntax Error in Line %d\nMissing     \"19=***\" /  Velocity(V1) \nYou wrote \"%s\""},
    {SongMessage::kMissing20, "Syntax Error in Line %d\nMissing     \"20=***\" /  Velocity(V2) \nYou wrote \"%s\""},
    {SongMessage::kMissing21, "Syntax Error in Line %d\nMissing     \"21=***\" /  Velocity(V3) \nYou wrote \"%s\""},
    {SongMessage::kMissing22, "Syntax Error in Line %d\nMissing     \"22=***\" /  Velocity(V4) \nYou wrote \"%s\""},
    {SongMessage::kRangeTempo, "Data Error in Line %d\nYou wrote \"%s\"\nData range is 30 .. 180"},
    {SongMessage::kRangeStartDelay, "Data Error in Line %d\nYou wrote \"%s\"\nData range is -500 .. 500"},
    {SongMessage::kRange0To127, "Data Error in Line %d\nYou wrote \"%s\"\nData range is 0 .. 127"},
    {SongMessage::kRangeGuide, "Data Error in Line %d\nYou wrote \"%s\"\nData range is off .. -7 .. 0 .. 7"},
    {SongMessage::kRangeMidiShift, "Data Error in Line %d\nYou wrote \"%s\"\nData range is -12 .. 0 .. 12"},
    {SongMessage::kBadTuningName, "Data Error in Line %d\nYou wrote \"%s\""},
    {SongMessage::kBadHeaderLine, "Syntax Error in Line %d\nYou wrote \"%s\""},
    {SongMessage::kTooFewFreeStrings,
     "Requires at least two strings not assigned to pedals.  in Line %d\nYou wrote \n\"%s\"\n\"%s\""},
    {SongMessage::kScoreData, "Data \"%s\" Error in Line %d\nFollowed by  %s\nYou wrote \"%s\""},
    {SongMessage::kScoreWhileKeyOff,
     "Command \"%s\" is not abalable ( while KeyOff ) in Line %d\nFollowed by  %s\nYou wrote \"%s\""},
    {SongMessage::kScoreBeforeBar,
     "Command \"%s\" is not abalable ( before \"b=**\" ) in Line %d\nFollowed by  %s\nYou wrote \"%s\""},
    {SongMessage::kScoreUnknownCommand, "Command \"%s\" is not abalable in Line %d\nFollowed by  %s\nYou wrote \"%s\""},
    {SongMessage::kTooManyData, "Too many data"},
    {SongMessage::kNothing, "Data is Nothing.\nDid you mean, \"*\" Mark"},
    {SongMessage::kTooManyBars, "Exceeds 200 Bar"},
    {SongMessage::kTooManyEvents, "Too many Events"},
};

// The table is indexed by the names: each entry stands at its own name's place.
constexpr bool SongMessageFormatsInOrder() {
  size_t i = 0;
  for (const SongMessageFormat& f : kSongMessageFormats) {
    if (static_cast<size_t>(f.id) != i++) return false;
  }
  return i == static_cast<size_t>(SongMessage::kCount);
}
static_assert(SongMessageFormatsInOrder(), "kSongMessageFormats must list every SongMessage in order");

constexpr const char* SongMessageFormatOf(SongMessage id) {
  return kSongMessageFormats[static_cast<size_t>(id)].format;
}
