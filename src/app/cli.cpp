#include "app/cli.h"

#include <cstdio>
#include <cstring>

#include "app/cli_commands.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: slidora-cli COMMAND [ARGS]\n"
               "commands:\n");
  for (const CliCommand& c : CliCommands()) std::fprintf(stderr, "  %-8s %s\n", c.name, c.summary);
}

}  // namespace

int RunCli(int argc, char** argv) {
  if (argc < 2) {
    Usage();
    return 2;
  }
  for (const CliCommand& c : CliCommands()) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 1, argv + 1);
  }
  std::fprintf(stderr, "slidora-cli: unknown command '%s'\n", argv[1]);
  Usage();
  return 2;
}
