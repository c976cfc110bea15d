#include "app/cli_commands.h"

namespace {
std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}
}  // namespace

const std::vector<CliCommand>& CliCommands() { return Registry(); }

CliRegistration::CliRegistration(const char* name, const char* summary, int (*run)(int, char**)) {
  Registry().push_back({name, summary, run});
}
