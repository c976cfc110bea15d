// A started system without a window for the playing tests: the program's
// start-up in a fresh folder (default settings), then input fed as the window
// would, with the MIDI sent afterwards read back as "T XX YY ZZ" lines.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/headless.h"
#include "model/instrument.h"
#include "support/temp_dir.h"

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    BeforeStartUp();
    system_ = std::make_unique<HeadlessSystem>();
    system_->StartUp();
    startup_ = system_->TakeEvents();
    Mark();
  }
  void TearDown() override {
    system_.reset();
    std::filesystem::current_path(old_dir_);
  }

  // Runs in the fresh working directory before the system starts.
  virtual void BeforeStartUp() {}

  HeadlessSystem& sys() { return *system_; }

  // What start-up sent (the port's reset burst).
  const std::vector<HeadlessEvent>& startup() const { return startup_; }

  // Later times are counted from now.
  void Mark() { origin_ = system_->NowMs(); }

  // Everything sent since the last call, with times.
  std::vector<std::string> Timed() {
    std::vector<std::string> out;
    for (const HeadlessEvent& e : system_->TakeEvents()) out.push_back(FormatHeadlessEvent(e, origin_));
    return out;
  }
  // The same without the times.
  std::vector<std::string> Sent() {
    std::vector<std::string> out;
    for (const std::string& line : Timed()) out.push_back(line.substr(line.find(' ') + 1));
    return out;
  }
  // Only messages whose status byte (as two hex digits) begins with one of the prefixes.
  std::vector<std::string> SentOf(const std::string& prefixes) {
    std::vector<std::string> out;
    for (const std::string& line : Sent()) {
      if (prefixes.find(line[0]) != std::string::npos) out.push_back(line);
    }
    return out;
  }

  // Puts the pointer on a cell of a neck (string row, fret column, pixels
  // right of the fret centre) and lets the move be delivered.
  static Point Cell(int neck, int string, int fret, int dx = 0) {
    return {81 + 64 * fret + dx, 111 + 300 * neck + 24 * string + 12};
  }
  void Hover(Point p) {
    system_->MouseMove(p);
    system_->Wait(kDeliveryMs);
  }
  void HoverCell(int neck, int string, int fret, int dx = 0) { Hover(Cell(neck, string, fret, dx)); }
  // Presses a number key and lets nothing else happen.
  void Press(int digit) { system_->KeyDown('0' + digit); }
  void Release(int digit) { system_->KeyUp('0' + digit); }

  static constexpr int kDeliveryMs = 20;  // mouse moves reach the bar every 20 ms

 private:
  TempDir dir_;
  std::filesystem::path old_dir_;
  std::unique_ptr<HeadlessSystem> system_;
  int64_t origin_ = 0;
  std::vector<HeadlessEvent> startup_;
};
