// A JACK dummy server of the test's own, under a name no other test uses, run
// by the guard program (tests/helpers/jack_guard.c): the server ends when this
// object goes, and also when the test's process dies part-way, killed or
// crashed, since the guard watches the pipe this object holds; a server that
// will not end is killed and its leftovers in /dev/shm are removed.
// JACK_DEFAULT_SERVER names the server for the object's life.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/scoped_env.h"
#include "support/child_process.h"

class TestJackServer {
 public:
  // How long a server is given to come up on a busy machine.
  static constexpr int kStartMs = 15000;

  TestJackServer() : TestJackServer(UniqueName()) {}
  // A long client time-out: on a busy machine a slow client would otherwise be
  // dropped from the graph. Long cycles (21 ms): a client that is late for a
  // cycle misses the MIDI of that cycle, which a busy machine makes likely
  // with short ones.
  explicit TestJackServer(const std::string& name)
      : name_(name),
        server_env_("JACK_DEFAULT_SERVER", name),
        no_start_("JACK_NO_START_SERVER", "1"),
        guard_({JACK_GUARD_PATH, name, "-r", "-t", "5000", "-d", "dummy", "-r", "48000", "-p", "1024"}) {
    std::string line;
    if (guard_.started() && guard_.ReadLine(&line, kStartMs + 1000) && line.rfind("ready ", 0) == 0) {
      server_pid_ = static_cast<pid_t>(std::stol(line.substr(6)));
    }
  }
  ~TestJackServer() { Stop(); }
  TestJackServer(const TestJackServer&) = delete;
  TestJackServer& operator=(const TestJackServer&) = delete;

  // False where jackd cannot run here (missing, or no server within kStartMs).
  bool ready() const { return server_pid_ > 0; }
  const std::string& name() const { return name_; }
  pid_t guard_pid() const { return guard_.pid(); }

  // Ends the server and waits for the guard's clean-up: its SIGTERM, a
  // bounded wait, SIGKILL.
  void Stop() { guard_.Stop(kGuardEndMs); }

  // Kills the server outright, as a crash would (the guard then finds it ended
  // and clears its leftovers).
  void KillServer() {
    if (server_pid_ > 0) kill(server_pid_, SIGKILL);
  }

  // The jackd processes running under a server name.
  static std::vector<pid_t> ServerPids(const std::string& name) {
    std::vector<pid_t> pids;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
      std::ifstream in(entry.path() / "cmdline", std::ios::binary);
      std::vector<std::string> args;
      for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
      if (args.empty() || std::filesystem::path(args[0]).filename() != "jackd") continue;
      for (const std::string& a : args) {
        if (a == name) pids.push_back(static_cast<pid_t>(std::stol(entry.path().filename().string())));
      }
    }
    return pids;
  }

  static std::string UniqueName() {
    static std::atomic<int> count{0};
    return "slidora-test-" + std::to_string(getpid()) + "-" + std::to_string(count++);
  }

 private:
  static constexpr int kGuardEndMs = 6000;

  std::string name_;
  ScopedEnv server_env_;
  ScopedEnv no_start_;
  ChildProcess guard_;
  pid_t server_pid_ = -1;
};
