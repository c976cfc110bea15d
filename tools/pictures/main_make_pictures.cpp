// Writes the ten pictures of the panel into the folder given as the argument.
#include <cstdio>
#include <filesystem>
#include <string>

#include "panel_pictures.h"
#include "platform/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  struct Out {
    const char* name;
    Picture picture;
  };
  const Out outs[] = {
      {"Player.bmp", MakePlayerPicture()},
      {"Tuning.bmp", MakeTuningPicture()},
      {"SlidebarU_Mask.bmp", MakeBarTipMask()},
      {"SlidebarU.bmp", MakeBarTip()},
      {"SlidebarL.bmp", MakeBarBody()},
      {"SpinButton_Up.bmp", MakeSpinButton(SpinState::Up)},
      {"SpinButton_Down.bmp", MakeSpinButton(SpinState::Down)},
      {"SpinButton_Off.bmp", MakeSpinButton(SpinState::Off)},
      {"NoteBackGround.bmp", MakeNoteBackground()},
      {"HintBackGround.bmp", MakeHintBackground()},
  };
  int failed = 0;
  for (const Out& o : outs) {
    if (!WriteBmp(dir + "/" + o.name, o.picture)) {
      std::fprintf(stderr, "make_pictures: cannot write %s/%s\n", dir.c_str(), o.name);
      failed = 1;
    }
  }
  return failed;
}
