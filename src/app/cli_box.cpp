// slidora-cli box FILE TEXT [CAPTION [TYPE]]: draws a message box exactly as
// the program shows it, without a window, into a BMP file of the box's client
// size, and prints where its parts went ("size W H button L T R B").
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/cli_commands.h"
#include "platform/box_drawing.h"
#include "platform/pictures.h"

namespace {

int RunBox(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr, "usage: slidora-cli box FILE TEXT [CAPTION [TYPE]]\n");
    return 2;
  }
  const std::string caption = argc > 3 ? argv[3] : "";
  const int type = argc > 4 ? static_cast<int>(std::strtol(argv[4], nullptr, 0)) : 0;
  const Font font = OpenMessageBoxFont();
  if (!font.valid()) {
    std::fprintf(stderr, "box: no font for the text\n");
    return 1;
  }
  const BoxLayout box = LayOutMessageBox(argv[2], caption, type, font);
  Canvas canvas(box.width, box.height);
  DrawMessageBox(canvas, box, font, false);
  if (!WriteBmp(argv[1], canvas.picture())) {
    std::fprintf(stderr, "box: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("size %d %d button %d %d %d %d\n", box.width, box.height, box.button.left,
              box.button.top, box.button.right, box.button.bottom);
  return 0;
}

const CliRegistration kRegistration("box", "draw a message box into a BMP file", RunBox);

}  // namespace
