// Scripts for the headless runner: one command a line (wait, move, keydown,
// keyup, ldown, lup, rdown, rup, ldbl, rdbl, drop, type, screenshot; blank
// lines and # comments; a key may carry modifiers, "keydown ctrl+S"),
// parsed whole before anything runs, then fed to a HeadlessSystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class HeadlessSystem;

struct SimCommand {
  enum Kind { kWait, kMove, kKeyDown, kKeyUp, kButton, kDrop, kType, kScreenshot };
  Kind kind;
  int line;          // 1-based line number in the script
  int64_t ms = 0;    // kWait
  int x = 0, y = 0;  // kMove, kButton: client pixels
  int vk = 0;        // kKeyDown, kKeyUp
  std::vector<int> modifiers;  // kKeyDown, kKeyUp: keys held around vk (Ctrl 17, Shift 16, Alt 18)
  uint32_t msg = 0;  // kButton: the window message
  std::string path;  // kDrop, kScreenshot
  std::string text;  // kType: the characters, "\b" a backspace
};

// Parses the script text. On a bad line returns false with error set to
// "line N: ...".
bool ParseSimScript(const std::string& text, std::vector<SimCommand>* commands, std::string* error);

// Feeds one command to the system. False, with error set, when a screenshot
// could not be written.
bool RunSimCommand(HeadlessSystem& system, const SimCommand& command, std::string* error);
