// A message-box sink that records every box and beep instead of showing them.
#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/platform.h"

class RecordedBoxes : public MessageBoxSink {
 public:
  struct Box {
    std::string text;
    std::string caption;
    int type;
  };
  RecordedBoxes() : previous_(g_Platform.boxes) { g_Platform.boxes = this; }
  ~RecordedBoxes() override { g_Platform.boxes = previous_; }
  void Show(const std::string& text, const std::string& caption, int type) override {
    boxes.push_back({text, caption, type});
  }
  void Beep(int type) override { beeps.push_back(type); }

  std::vector<Box> boxes;
  std::vector<int> beeps;

 private:
  MessageBoxSink* previous_;
};
