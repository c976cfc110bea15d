// Slidora Quenlo: the pedal-steel-guitar simulator. Takes no command-line
// options. Starts the system in its window and runs the message loop until the
// window is closed.
#include "app/desktop_program.h"

int main() {
  DesktopProgram program;
  if (!program.Start()) return 0;
  return program.Run();
}
