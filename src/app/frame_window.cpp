#include "app/frame_window.h"

#include "app/midi_file_read.h"
#include "app/take_playback.h"
#include "app/takes.h"
#include "platform/profile.h"
#include "platform/window.h"
#include "song/autoplay_start.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/view_dispatch.h"

Point FramePosition(int left, int top, Point screen) {
  int x = left, y = top;
  // Compared without adding to the stored value, which a hand-edited file can
  // make as large as an int holds.
  if (x > screen.x - kWindowWidth) x = screen.x - kWindowWidth;
  if (y > screen.y - kWindowHeight) y = screen.y - kWindowHeight;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  return {x, y};
}

Point StoredFramePosition(const std::string& settings_path) {
  ProfileFile ini(settings_path);
  return {ini.GetInt(kWindowPositionSection, "left", 0), ini.GetInt(kWindowPositionSection, "top", 0)};
}

bool SaveFramePosition(const std::string& settings_path, Point top_left, std::string* error) {
  ProfileFile ini(settings_path);
  ini.WriteInt(kWindowPositionSection, "left", top_left.x);
  ini.WriteInt(kWindowPositionSection, "top", top_left.y);
  return ini.Commit(error);
}

void FrameWindowProc(const Message& m, const std::function<void()>& on_close) {
  switch (m.msg) {
    case WM_CLOSE:
      if (on_close) on_close();
      return;
    case WM_SYSCOMMAND:
      if (m.wParam == SC_MINIMIZE) MinimizeMainWindow();
      return;
    case WM_SETCURSOR:
      // Unless the panel sets it, the cursor stays what it was.
      OnSetCursor(true);
      return;
    case WM_DROPFILES: {
      // The first file counts: a MIDI file is played back, anything else is
      // the song player's.
      const std::vector<std::string> paths = DragQueryFiles();
      if (!paths.empty() && IsMidiFileName(paths.front())) {
        OnDropMidiFile(paths.front());
      } else {
        OnDropFiles(paths);
      }
      return;
    }
    case WM_TAKE_STEP:
      OnTakeStep(m);
      return;
    default:
      // Ctrl+S keeps the take whatever plays; the view never sees it.
      if (OnTakeShortcut(m)) return;
      ViewWindowProc(m);
      return;
  }
}
