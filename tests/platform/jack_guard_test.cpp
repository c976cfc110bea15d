// A test killed part-way leaves no JACK server behind: no jackd of its name,
// nothing of it in JACK's shared registry, and a new server of the same name
// starts.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <functional>

#include "support/child_process.h"
#include "support/jack_server.h"

namespace {

constexpr int kLeftoverWaitMs = 10000;  // the guard's SIGTERM wait is 2 s

bool ServerRuns(const std::string& name) { return !TestJackServer::ServerPids(name).empty(); }

// What the server leaves in /dev/shm: its entry in the registry, its socket
// and semaphore files.
std::string Leftovers(const std::string& name) {
  std::string found;
  std::ifstream registry("/dev/shm/jack-shm-registry", std::ios::binary);
  std::stringstream bytes;
  bytes << registry.rdbuf();
  const std::string entry = "jack-" + std::to_string(getuid()) + ":" + name + ":";
  if (bytes.str().find(entry) != std::string::npos) found += "registry entry; ";
  for (const auto& f : std::filesystem::directory_iterator("/dev/shm")) {
    if (f.path().filename().string().find(name) != std::string::npos) found += f.path().string() + "; ";
  }
  return found;
}

bool WaitUntil(int timeout_ms, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    poll(nullptr, 0, 20);
  }
  return true;
}

TEST(JackGuardTest, AKilledTestLeavesNoServerAndTheNameStartsAgain) {
  const std::string name = TestJackServer::UniqueName();
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  // The test process to be killed: it starts the server and a client of it
  // (jackd's own shutdown is the one that hangs when a client dies with it),
  // says so, and waits.
  const pid_t test = fork();
  ASSERT_GE(test, 0);
  if (test == 0) {
    close(report[0]);
    TestJackServer server(name);
    ChildProcess receiver({MIDI_RECEIVER_PATH, "slidora-killed"});
    std::string line;
    const bool up = server.ready() && receiver.ReadLine(&line, 5000) && line == "server" &&
                    receiver.ReadLine(&line, 5000) && line == "ready";
    const char c = up ? '1' : '0';
    if (write(report[1], &c, 1) != 1) _exit(1);
    for (;;) pause();
  }
  close(report[1]);
  pollfd p = {report[0], POLLIN, 0};
  char c = '0';
  const bool answered = poll(&p, 1, TestJackServer::kStartMs + 12000) == 1 && read(report[0], &c, 1) == 1;
  close(report[0]);
  if (!answered || c != '1') {
    kill(test, SIGKILL);
    waitpid(test, nullptr, 0);
    if (!std::filesystem::exists("/usr/bin/jackd")) GTEST_SKIP() << "jackd is not installed";
    FAIL() << "no JACK server came up for the test process";
  }
  EXPECT_TRUE(ServerRuns(name));

  kill(test, SIGKILL);
  waitpid(test, nullptr, 0);
  EXPECT_TRUE(WaitUntil(kLeftoverWaitMs, [&] { return !ServerRuns(name); })) << "jackd " << name << " still runs";
  EXPECT_TRUE(WaitUntil(kLeftoverWaitMs, [&] { return Leftovers(name).empty(); })) << Leftovers(name);

  TestJackServer again(name);
  EXPECT_TRUE(again.ready()) << "a new server named " << name << " did not start";
  again.Stop();
  EXPECT_FALSE(ServerRuns(name));
  EXPECT_EQ(Leftovers(name), "");
}

}  // namespace
