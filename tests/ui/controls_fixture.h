// The whole system started headless in a fresh folder (default settings, the
// ten pictures as patterns), with clicks fed as the window delivers them, what
// was sent read back as "XX YY ZZ" lines, boxes as "box TYPE ...", and every
// text drawn after start-up recorded.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/headless.h"
#include "model/instrument.h"
#include "platform/pictures.h"
#include "support/temp_dir.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/layout.h"
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

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_dir_ = std::filesystem::current_path();
    if (WithPictures()) {
      std::filesystem::create_directories(dir_.File("Bitmap"));
      struct P { const char* name; int w, h; };
      const P pics[] = {{"Player.bmp", 1356, 720},      {"Tuning.bmp", 1356, 720},
                        {"SlidebarU_Mask.bmp", 15, 16}, {"SlidebarU.bmp", 15, 16},
                        {"SlidebarL.bmp", 15, 170},     {"SpinButton_Up.bmp", 16, 33},
                        {"SpinButton_Down.bmp", 16, 33}, {"SpinButton_Off.bmp", 16, 33},
                        {"NoteBackGround.bmp", 40, 194}, {"HintBackGround.bmp", 970, 24}};
      int seed = 0;
      for (const P& p : pics) WriteBmp(dir_.File("Bitmap/") + p.name, PatternPicture(p.w, p.h, seed += 37));
    }
    std::filesystem::current_path(dir_.path());
    Start();
  }
  void TearDown() override {
    system_.reset();
    std::filesystem::current_path(old_dir_);
  }
  // Before start-up: the fake devices and whatever the settings file holds.
  virtual void Configure(HeadlessSystem&) {}
  virtual bool WithPictures() const { return true; }

  void Start() {
    system_.reset();
    system_ = std::make_unique<HeadlessSystem>();
    Configure(*system_);
    system_->StartUp();
    view().canvas().RecordTexts(true);
    system_->TakeEvents();
  }

  HeadlessSystem& sys() { return *system_; }
  CSLDView& view() { return system_->view(); }
  Canvas& dc() { return view().canvas(); }
  TempDir& dir() { return dir_; }

  void LeftDown(Point p) { sys().Button(WM_LBUTTONDOWN, p); }
  void LeftUp(Point p) { sys().Button(WM_LBUTTONUP, p); }
  void RightDown(Point p) { sys().Button(WM_RBUTTONDOWN, p); }
  void RightUp(Point p) { sys().Button(WM_RBUTTONUP, p); }
  void Click(Point p) { LeftDown(p); LeftUp(p); }
  void RightClick(Point p) { RightDown(p); RightUp(p); }

  // Everything sent or shown since the last call, without times.
  std::vector<std::string> Sent() {
    std::vector<std::string> out;
    for (const HeadlessEvent& e : sys().TakeEvents()) {
      const std::string line = FormatHeadlessEvent(e, 0);
      out.push_back(line.substr(line.find(' ') + 1));
    }
    return out;
  }
  // The texts drawn since the last call; kept until the next call.
  const std::vector<DrawnText>& Drawn() {
    drawn_.clear();
    drawn_.swap(dc().texts());
    return drawn_;
  }
  // The last text drawn at (x, y) in the list, or null.
  static const DrawnText* At(const std::vector<DrawnText>& texts, int x, int y) {
    const DrawnText* found = nullptr;
    for (const DrawnText& t : texts) {
      if (t.x == x && t.y == y) found = &t;
    }
    return found;
  }
  // The same among the texts drawn since the last Drawn().
  const DrawnText* TextAt(int x, int y) { return At(dc().texts(), x, y); }
  std::string TextOf(int x, int y) {
    const DrawnText* t = TextAt(x, y);
    return t ? t->text : "(nothing)";
  }
  // True when the canvas shows picture pic with its top-left corner at (x, y).
  bool Shows(const Picture& pic, int x, int y) {
    for (int j = 0; j < pic.height(); ++j) {
      for (int i = 0; i < pic.width(); ++i) {
        if (dc().At(x + i, y + j) != pic.At(i, j)) return false;
      }
    }
    return true;
  }
  int CountColour(const Rect& r, Pixel colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += dc().At(x, y) == colour;
    }
    return n;
  }
  // The bounding box of the pixels that differ between before and the canvas.
  Rect ChangedSince(const Picture& before) {
    Rect changed{0, 0, 0, 0};
    for (int y = 0; y < dc().height(); ++y) {
      for (int x = 0; x < dc().width(); ++x) {
        if (dc().At(x, y) != before.At(x, y)) changed = Union(changed, {x, y, x + 1, y + 1});
      }
    }
    return changed;
  }

  // Panel places, client pixels.
  static Point Tab(int page) { return {160 + 160 * page, 30}; }  // regions 0, 1, 2
  static constexpr Point kMoveButton{620, 30};
  static constexpr Point kMinimizeButton{680, 30};
  static constexpr Point kCloseButton{740, 30};
  static Point Region(int r) {
    const Rect& q = g_Region[r];
    return {(q.left + q.right) / 2, (q.top + q.bottom) / 2};
  }
  static Point NoteBox(int t, int s) { return {40 + 140 * t + 5, 205 + 26 * s + 5}; }
  static Point PedalBox(int t, int s, int p) { return {40 + 140 * t + 72 + 25 * p, 205 + 26 * s + 5}; }
  // Past the end of the name, so the caret goes to its end.
  static Point NameBox(int t) { return {40 + 140 * t + 58, 185}; }
  static Point DeviceRow(int d) { return {100, 120 + 25 * (d + 1) + 5}; }
  static Point ReverbButton(int i) { return {680, 370 - 25 * i + 5}; }
  static Point ChorusButton(int i) { return {780, 370 - 25 * i + 5}; }
  static Point VoiceEntry(int p) {
    const int c = p / 32, j = p % 32;
    return {40 + 265 * c + 10, 80 + 16 * j + 16 * (j / 8) + 5};
  }
  static Point NeckCell(int neck, int string, int fret) {
    return {81 + 64 * fret, 111 + 300 * neck + 24 * string + 12};
  }

  // Plays number key 1 on a neck cell and releases it.
  void PlayKey(int neck) {
    // Clicks move the pointer without a move message; a move from elsewhere
    // puts the bar on the cell again.
    sys().MouseMove({1, 1});
    sys().Wait(20);
    sys().MouseMove(NeckCell(neck, 2, 3));
    sys().Wait(20);
    sys().KeyDown('1');
    sys().KeyUp('1');
  }
  // The channels of a neck, to compare with what a fresh allocation gives.
  static std::vector<int32_t> Channels(int neck) {
    return std::vector<int32_t>(std::begin(g_Neck[neck].Channel), std::end(g_Neck[neck].Channel));
  }

 private:
  TempDir dir_;
  std::filesystem::path old_dir_;
  std::unique_ptr<HeadlessSystem> system_;
  std::vector<DrawnText> drawn_;
};

// The lines of v that begin with prefix.
inline std::vector<std::string> StartingWith(const std::vector<std::string>& v, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& s : v) {
    if (s.compare(0, prefix.size(), prefix) == 0) out.push_back(s);
  }
  return out;
}
