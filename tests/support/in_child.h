// Runs part of a test in a forked child process, so that what it changes for
// itself (its user, a file-size limit) never reaches the other tests; the
// child's report comes back as text.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

inline std::string RunInChild(const std::function<std::string()>& body) {
  int out[2];
  if (pipe(out) != 0) return "no pipe";
  const pid_t pid = fork();
  if (pid == 0) {
    close(out[0]);
    const std::string report = body();
    if (write(out[1], report.data(), report.size()) < 0) _exit(4);
    _exit(0);
  }
  close(out[1]);
  std::string report;
  char buffer[512];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  waitpid(pid, nullptr, 0);
  return report;
}
