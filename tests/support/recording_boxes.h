// A message-box sink that records every box instead of showing it. Installed
// into g_Platform.boxes for its lifetime; the previous sink comes back after.
#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/platform.h"

struct RecordedBox {
  std::string text;
  std::string caption;
  int type;
  bool operator==(const RecordedBox&) const = default;
};

class RecordingBoxes : public MessageBoxSink {
 public:
  RecordingBoxes() : previous_(g_Platform.boxes) { g_Platform.boxes = this; }
  ~RecordingBoxes() override { g_Platform.boxes = previous_; }
  RecordingBoxes(const RecordingBoxes&) = delete;
  RecordingBoxes& operator=(const RecordingBoxes&) = delete;

  void Show(const std::string& text, const std::string& caption, int type) override {
    boxes.push_back({text, caption, type});
  }
  void Beep(int type) override { beeps.push_back(type); }

  // The texts alone, in the order shown.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& b : boxes) texts.push_back(b.text);
    return texts;
  }
  void Clear() {
    boxes.clear();
    beeps.clear();
  }

  std::vector<RecordedBox> boxes;
  std::vector<int> beeps;

 private:
  MessageBoxSink* previous_;
};
