// Start-up and exit of the application: one instance only, a fresh folder
// opens all the same, the window comes back where it was, kept on the screen.
#include "app/sld_app.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/frame_window.h"
#include "app/reset.h"
#include "midi/timers.h"
#include "model/instrument.h"
#include "model/settings.h"
#include "platform/headless_pointer.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "platform/recording_midi.h"
#include "support/in_child.h"
#include "support/recorded_boxes.h"
#include "support/temp_dir.h"
#include "ui/controls.h"
#include "ui/layout.h"

namespace {

TEST(FramePosition, StoredPlaceIsKeptOnTheScreen) {
  struct Case { int left, top, sw, sh, x, y; };
  const Case cases[] = {
      {0, 0, 1920, 1080, 0, 0},        {100, 50, 1920, 1080, 100, 50},
      {2000, 0, 1920, 1080, 560, 0},   {2000, 0, 1280, 1024, 0, 0},
      {0, 900, 1920, 1080, 0, 374},    {-30, -5, 1920, 1080, 0, 0},
      {560, 374, 1920, 1080, 560, 374}, {561, 375, 1920, 1080, 560, 374},
      {2147483647, 2147483647, 1920, 1080, 560, 374},  // a value saturated on reading
      {-2147483647 - 1, -2147483647 - 1, 1920, 1080, 0, 0},
  };
  for (const Case& c : cases) {
    const Point p = FramePosition(c.left, c.top, {c.sw, c.sh});
    EXPECT_EQ(p.x, c.x) << c.left << "," << c.top << " on " << c.sw << "x" << c.sh;
    EXPECT_EQ(p.y, c.y) << c.left << "," << c.top << " on " << c.sw << "x" << c.sh;
  }
}

// Starts the application headless in a fresh folder, as the program does.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    saved_ = g_Platform;
    g_Platform.midi = &port_;
    ResetAllState();
  }
  void TearDown() override {
    g_Platform = saved_;
    std::filesystem::current_path(old_cwd_);
  }

  AppHost Host(Point screen) {
    AppHost host;
    host.lock_dir = dir_.path();
    host.screen_size = [screen] { return screen; };
    host.create_window = [this, screen](Point at) {
      window_ = std::make_unique<HeadlessWindow>(at.x, at.y, kWindowWidth, kWindowHeight, screen);
      pointer_ = std::make_unique<HeadlessPointer>(window_.get());
      g_Platform.window = window_.get();
      g_Platform.pointer = pointer_.get();
      return true;
    };
    return host;
  }
  // Starts the application on a screen, runs during, closes it; returns where
  // the window opened.
  std::pair<int, int> OpenAndClose(Point screen, const std::function<void(CSLDApp&)>& during = {}) {
    CSLDApp app;
    if (!app.InitInstance(Host(screen))) {
      ADD_FAILURE() << "did not start";
      return {-1, -1};
    }
    const std::pair<int, int> at = {window_->GetWindowRect().left, window_->GetWindowRect().top};
    if (during) during(app);
    app.OnClose();  // the window manager's close, not the panel's close button
    EXPECT_TRUE(app.closed());
    for (int slot = 1; slot <= 3; ++slot) EXPECT_EQ(g_TimerId[slot].load(), 0u) << "timer " << slot;
    exit_status_ = app.ExitInstance();
    return at;
  }

  // Runs a whole start and close in a child process, as an unprivileged user or
  // with a file-size limit (a full disk) that must not reach the other tests.
  // Returns the exit status, a line with the boxes' captions, then their texts.
  std::string OpenAndCloseInChild(bool drop_privileges, rlim_t file_size_limit) {
    return RunInChild([&] {
      if (drop_privileges && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
      if (file_size_limit) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{file_size_limit, file_size_limit};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      OpenAndClose({1920, 1080}, [](CSLDApp&) { g_Neck[1].Tuning = 7; });
      std::string report = std::to_string(exit_status_) + "\n";
      for (const RecordedBoxes::Box& b : boxes_.boxes) report += b.caption + "|" + b.text + "\n";
      return report;
    });
  }

  TempDir dir_;
  RecordedBoxes boxes_;
  RecordingMidiOut port_;
  std::unique_ptr<HeadlessWindow> window_;
  std::unique_ptr<HeadlessPointer> pointer_;
  Platform saved_;
  std::filesystem::path old_cwd_;
  int exit_status_ = -1;
};

TEST_F(AppTest, FreshFolderWithoutPicturesOrSettingsOpensSilently) {
  const auto at = OpenAndClose({1920, 1080}, [this](CSLDApp& app) {
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_TRUE(window_->accepts_files());
    EXPECT_TRUE(port_.is_open());  // the mapper
    EXPECT_EQ(g_pView, &app.view());
    // The default instrument, with its tables built from the settings just read.
    EXPECT_EQ(g_Neck[0].Tuning, 0);
    EXPECT_EQ(g_Neck[1].Tuning, 4);
    EXPECT_EQ(g_Neck[0].Guide[0][0], 5);  // G in the key of C6
    for (int n = 0; n < 2; ++n) {
      for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(g_Neck[n].SoundingNote[s], -1) << n << "," << s;
        EXPECT_EQ(g_Neck[n].BendTarget[s], 0) << n << "," << s;
        for (int f = 0; n == 1 && f < 20; ++f) EXPECT_EQ(g_Neck[1].Guide[s][f], 0) << "lower guide off";
      }
    }
    EXPECT_EQ(std::vector<int>(g_Neck[0].Channel, g_Neck[0].Channel + 8),
              (std::vector<int>{0, 0, 2, 4, 0, 0, 2, 4}));
  });
  EXPECT_EQ(at, std::make_pair(0, 0));
  const std::string ini = dir_.Read("SLD.ini");
  EXPECT_NE(ini.find("[WindowPosition]"), std::string::npos);
  EXPECT_NE(ini.find("[Tuning]"), std::string::npos);
}

TEST_F(AppTest, ASecondInstanceIsRefusedAndTheFirstRunsOn) {
  CSLDApp first;
  ASSERT_TRUE(first.InitInstance(Host({1920, 1080})));
  CSLDApp second;
  EXPECT_FALSE(second.InitInstance(Host({1920, 1080})));
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].text, "Slidora Quenlo is already starting.");
  EXPECT_EQ(boxes_.boxes[0].caption, "Slidora Quenlo");
  EXPECT_EQ(boxes_.boxes[0].type, MB_OK);
  EXPECT_FALSE(first.closed());
  first.OnClose();
  first.ExitInstance();
  // Once the first has ended, a new start runs.
  OpenAndClose({1920, 1080});
  EXPECT_EQ(boxes_.boxes.size(), 1u);
}

TEST_F(AppTest, ThePositionWrittenAtCloseIsReadBackAndKeptOnASmallerScreen) {
  OpenAndClose({2560, 1440}, [this](CSLDApp&) { window_->MoveWindow(1100, 600); });
  EXPECT_EQ(StoredFramePosition(dir_.File("SLD.ini")).x, 1100);
  EXPECT_EQ(StoredFramePosition(dir_.File("SLD.ini")).y, 600);
  EXPECT_EQ(OpenAndClose({2560, 1440}), std::make_pair(1100, 600));
  EXPECT_EQ(OpenAndClose({1920, 1080}), std::make_pair(560, 374));
}

TEST_F(AppTest, ClosingTheWindowKeepsTheNamesTypedIntoTheOpenTuningEditor) {
  OpenAndClose({1920, 1080}, [](CSLDApp& app) {
    ShowTuningNameBoxes(true);
    g_Page = 1;
    app.view().m_TuningNameEdit[4].SetWindowText("E7y");
  });
  EXPECT_NE(dir_.Read("SLD.ini").find("(4)Name=E7y"), std::string::npos);
}

TEST_F(AppTest, ASaveThatFailsAtExitTellsThePlayerWhichFileAndWhy) {
  const std::string path = dir_.File("SLD.ini");
  const std::string lost = "The changes of this session are lost.";
  // Longer than the disk's room below, so that no write of it fits.
  const std::string old = "; settings kept in a dotfiles folder, shared by every machine of mine\n"
                          "[NeckInfo]\nLowerTuning=2\n";

  // A directory where the file should be.
  std::filesystem::create_directory(path);
  OpenAndClose({1920, 1080});
  EXPECT_EQ(exit_status_, 1);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].caption, "Slidora Quenlo");
  EXPECT_EQ(boxes_.boxes[0].text, "The settings could not be saved to " + path + ":\nIs a directory.\n" + lost);
  EXPECT_EQ(boxes_.boxes[0].type, MB_ICONHAND | MB_OK);
  std::filesystem::remove(path);
  boxes_.boxes.clear();

  // A disk that fills up, and a folder the player may not write to: the old
  // file stays as it was and no temporary file is left.
  dir_.Write("SLD.ini", old);
  chmod(path.c_str(), 0644);
  EXPECT_EQ(OpenAndCloseInChild(false, 100),
            "1\nSlidora Quenlo|The settings could not be saved to " + path + ":\nFile too large.\n" + lost + "\n");
  EXPECT_EQ(dir_.Read("SLD.ini"), old);
  chmod(dir_.path().c_str(), 0555);
  EXPECT_EQ(OpenAndCloseInChild(true, 0),
            "1\nSlidora Quenlo|The settings could not be saved to " + path + ":\nPermission denied.\n" + lost + "\n");
  chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(dir_.Read("SLD.ini"), old);
  for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_EQ(e.path().filename().string().find("SLD.ini."), std::string::npos) << e.path();
  }

  // A save that works says nothing and ends with status 0.
  OpenAndClose({1920, 1080});
  EXPECT_EQ(exit_status_, 0);
  EXPECT_TRUE(boxes_.boxes.empty());
}

}  // namespace
