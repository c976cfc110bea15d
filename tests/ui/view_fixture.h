// A view created headless in a fresh working directory with the default
// settings, drawing into its canvas with every text recorded.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/reset.h"
#include "model/settings.h"
#include "model/tunings.h"
#include "platform/pictures.h"
#include "midi/midi_port.h"
#include "support/recorded_boxes.h"
#include "support/recording_port.h"
#include "support/temp_dir.h"
#include "ui/view.h"

// A picture whose every pixel differs from its neighbours, so that a copy from
// the wrong place shows.
inline Picture PatternPicture(int w, int h, int seed) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.At(x, y) = Rgb((x + seed) & 0xFF, (y * 3 + seed) & 0xFF, (x ^ y) & 0xFF);
  }
  return p;
}

// Writes the ten pictures, each a distinct pattern, into dir/Bitmap.
inline void WritePatternPictures(const std::string& dir) {
  std::filesystem::create_directories(dir + "/Bitmap");
  struct P { const char* name; int w, h; };
  const P pics[] = {{"Player.bmp", 1356, 720},      {"Tuning.bmp", 1356, 720},
                    {"SlidebarU_Mask.bmp", 15, 16}, {"SlidebarU.bmp", 15, 16},
                    {"SlidebarL.bmp", 15, 170},     {"SpinButton_Up.bmp", 16, 33},
                    {"SpinButton_Down.bmp", 16, 33}, {"SpinButton_Off.bmp", 16, 33},
                    {"NoteBackGround.bmp", 40, 194}, {"HintBackGround.bmp", 970, 24}};
  int seed = 0;
  for (const P& p : pics) WriteBmp(dir + "/Bitmap/" + p.name, PatternPicture(p.w, p.h, seed += 37));
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    if (WithPictures()) WritePatternPictures(dir_.path());
    std::filesystem::current_path(dir_.path());
    ResetAllState();
    BuildSettingsPath();
    LoadSettings();
    BuildPedalNoteNames();
    BuildStringNotes();
    BuildGuide(0);
    BuildGuide(1);
    port_.port().SetDevices({"Port A", "Port B", "Port C"});
    EnumerateAndOpen();
    view_ = std::make_unique<CSLDView>();
    view_->OnCreate();
    view_->canvas().RecordTexts(true);
  }
  void TearDown() override {
    view_.reset();
    std::filesystem::current_path(old_cwd_);
  }
  virtual bool WithPictures() const { return true; }

  Canvas& dc() { return view_->canvas(); }

  // The last text drawn with its cell at (x, y), or null.
  const DrawnText* TextAt(int x, int y) {
    const DrawnText* found = nullptr;
    for (const DrawnText& t : dc().texts()) {
      if (t.x == x && t.y == y) found = &t;
    }
    return found;
  }
  int CountColour(const Rect& r, Pixel colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += dc().At(x, y) == colour;
    }
    return n;
  }

  TempDir dir_;
  RecordedBoxes boxes_;
  RecordingPortScope port_;
  std::unique_ptr<CSLDView> view_;

 private:
  std::filesystem::path old_cwd_;
};
