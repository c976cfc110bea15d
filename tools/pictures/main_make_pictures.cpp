// Writes the ten pictures of the panel into the folder given as the argument,
// or, with --icon, the program's icon as a PNG file of SIZE by SIZE pixels.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "icon_picture.h"
#include "panel_pictures.h"
#include "platform/pictures.h"
#include "png_file.h"

namespace {

int WriteIcon(const char* size_text, const std::string& path) {
  const int size = std::atoi(size_text);
  if (size < 16 || size > 1024) {
    std::fprintf(stderr, "make_pictures: icon size %s is not 16 to 1024\n", size_text);
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  const Icon icon = MakeIcon(size);
  if (!WritePng(path, icon.colour, icon.alpha)) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--icon") return WriteIcon(argv[2], argv[3]);
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: make_pictures FOLDER\n       make_pictures --icon SIZE FILE.png\n");
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
