// The subcommands of slidora-cli. Each lives in a file of its own (cli_*.cpp)
// and registers itself with a static CliRegistration.
#pragma once

#include <vector>

struct CliCommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);  // argv[0] is the command's name
};

const std::vector<CliCommand>& CliCommands();

struct CliRegistration {
  CliRegistration(const char* name, const char* summary, int (*run)(int, char**));
};
