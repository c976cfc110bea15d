// slidora-cli sim [--all] SCRIPT: runs a script of input events through the
// whole program without a display and prints what it sends, one event a line.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/headless.h"
#include "app/sim_script.h"

namespace {

void Print(const std::vector<HeadlessEvent>& events, int64_t origin, bool all) {
  for (const HeadlessEvent& e : events) {
    if (e.during_startup && e.kind == HeadlessEvent::kMidi && !all) continue;
    std::printf("%s\n", FormatHeadlessEvent(e, origin).c_str());
  }
  std::fflush(stdout);
}

int RunSim(int argc, char** argv) {
  bool all = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--all") == 0) {
      all = true;
    } else if (path == nullptr) {
      path = argv[i];
    } else {
      path = nullptr;
      break;
    }
  }
  if (path == nullptr) {
    std::fprintf(stderr, "usage: slidora-cli sim [--all] SCRIPT\n");
    return 2;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "sim: cannot read %s\n", path);
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<SimCommand> commands;
  std::string error;
  if (!ParseSimScript(text.str(), &commands, &error)) {
    std::fprintf(stderr, "sim: %s\n", error.c_str());
    return 2;
  }

  HeadlessSystem system;
  system.StartUp();
  const int64_t origin = system.NowMs();
  Print(system.TakeEvents(), origin, all);
  int status = 0;
  for (const SimCommand& c : commands) {
    if (!RunSimCommand(system, c, &error)) {
      std::fprintf(stderr, "sim: line %d: %s\n", c.line, error.c_str());
      status = 1;
    }
    Print(system.TakeEvents(), origin, all);
  }
  const int close_status = system.Close();
  Print(system.TakeEvents(), origin, all);
  return status != 0 ? status : close_status;
}

const CliRegistration kSim("sim", "run an input script headless and print what is sent", RunSim);

}  // namespace
