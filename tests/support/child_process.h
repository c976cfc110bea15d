// A program started by a test, with its standard input and output on pipes;
// lines are read with a bound on the wait, and the program is always ended
// (terminated, then killed) when the object goes, or killed when the test's
// process dies.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts argv[0] (searched in PATH); stderr goes to /dev/null.
  explicit ChildProcess(const std::vector<std::string>& argv) {
    int in[2], out[2];
    if (pipe(in) != 0) return;
    if (pipe(out) != 0) {
      close(in[0]);
      close(in[1]);
      return;
    }
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      // The program ends with the test, even a test killed part-way: a JACK
      // server left behind would hold its name and memory for good. SIGTERM
      // lets it take its entry out of JACK's shared registry too, which keeps
      // room for only a few servers.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(127);
      dup2(in[0], 0);
      dup2(out[1], 1);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, 2);
      for (int fd = 3; fd < 1024; ++fd) close(fd);
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    to_child_ = in[1];
    from_child_ = out[0];
  }
  ~ChildProcess() { Stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // The next line of output without its newline; false when the program
  // closed its output or no line came within timeout_ms.
  bool ReadLine(std::string* line, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      const size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        *line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (from_child_ < 0 || left.count() <= 0) return false;
      pollfd p = {from_child_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[4096];
      const ssize_t n = read(from_child_, buffer, sizeof buffer);
      if (n <= 0) return false;
      pending_.append(buffer, static_cast<size_t>(n));
    }
  }

  // Closes the program's input (the receiver's signal to finish), then ends
  // it: SIGTERM, and SIGKILL after wait_ms.
  void Stop(int wait_ms = 2000) {
    if (to_child_ >= 0) close(to_child_), to_child_ = -1;
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      if (!WaitExit(wait_ms)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
      }
      pid_ = -1;
    }
    if (from_child_ >= 0) close(from_child_), from_child_ = -1;
  }

  // Closes the program's input and gives it wait_ms to end by itself (the
  // receiver then leaves its JACK server cleanly), then ends it.
  void Finish(int wait_ms) {
    if (to_child_ >= 0) close(to_child_), to_child_ = -1;
    if (pid_ > 0 && WaitExit(wait_ms)) pid_ = -1;
    Stop();
  }

  // Kills the program outright, as a crash would.
  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (to_child_ >= 0) close(to_child_), to_child_ = -1;
    if (from_child_ >= 0) close(from_child_), from_child_ = -1;
    pending_.clear();
  }

  // True when the program has already ended.
  bool Exited() {
    if (pid_ <= 0) return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return true;
    }
    return false;
  }

 private:
  bool WaitExit(int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return true;
      pollfd none = {-1, 0, 0};
      poll(&none, 0, 10);  // wait a little for the exit
    }
    return false;
  }

  pid_t pid_ = -1;
  int to_child_ = -1;
  int from_child_ = -1;
  std::string pending_;
};
