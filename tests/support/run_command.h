// Runs a shell command and returns what it wrote to standard output, with its
// exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CommandResult {
  int status = -1;  // the exit status; -1 when it did not run or end normally
  std::string out;
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Debian's own python3 (another one may come first on the PATH) reading a MIDI
// file with mido, as the tests' reader script prints it.
inline std::string ReadMidiWithMido(const std::string& path) {
  return RunCommand(std::string("/usr/bin/python3 ") + SLIDORA_SOURCE_DIR + "/tests/scripts/read_midi.py " +
                    path + " 2>&1")
      .out;
}
