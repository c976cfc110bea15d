// Keeping what was played: Ctrl+S writes the take (everything played since
// the last saved take) as a Standard MIDI File into the Takes folder of the
// working directory, named by date and time, and says so on the hint line;
// the exit saves a take that was never saved.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/messages.h"

inline constexpr const char* kTakesFolder = "Takes";

struct TakeSaveResult {
  enum Status { kSaved, kNothingPlayed, kFailed };
  Status status = kNothingPlayed;
  std::string path;       // the file written (kSaved) or tried (kFailed)
  std::string name;       // its name within the folder
  int64_t length_ms = 0;  // the take's length
  int notes = 0;
  std::string error;      // kFailed: why, as the system says it
};

// Writes the take since the last saved one. Nothing is written when no note
// was played since; a failed write leaves nothing behind and keeps the take
// for the next try.
TakeSaveResult SaveTake();

// Ctrl+S: saves the take and tells the player on the hint line.
void SaveTakeAndShow();
// The exit: a take with a note in it that was never saved is saved; a failure
// is told in a message box and on standard error.
void SaveTakeAtExit();

// The keyboard shortcut, looked at before the view sees any key: follows the
// Ctrl key and takes Ctrl+S for itself (true: the message is used up).
bool OnTakeShortcut(const Message& m);

// What the hint line says about a save.
std::string TakeHintText(const TakeSaveResult& r);
// "1:05.3": minutes, seconds and tenths.
std::string FormatTakeLength(int64_t ms);
// The last text the hint line was given about takes ("" none yet).
const std::string& LastTakeHint();

// The wall clock that names the files; tests put a fixed one in (null: the
// system's clock).
void SetTakeClock(std::time_t (*now)());

// Program start: nothing saved yet, Ctrl not held.
void ResetTakeState();
