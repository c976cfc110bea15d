// The POSIX calls the test files make, for the Windows build of the tests
// (included before every test file there). The calls Windows has are mapped
// onto it; the others fail as a system without them would, and the few tests
// built on them (a child process, a named pipe, a file-size limit) are left
// out of the Windows run by name (cmake/windows.cmake).
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/types.h>

#include <cerrno>
#include <csignal>
#include <cstring>

// A new folder named by the pattern, its trailing XXXXXX made unique.
inline char* mkdtemp(char* pattern) {
  if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
  if (_mkdir(pattern) != 0) return nullptr;
  return pattern;
}

inline int pipe(int fds[2]) { return _pipe(fds, 4096, _O_BINARY); }

// What Windows lacks.
using rlim_t = unsigned long long;
struct rlimit {
  rlim_t rlim_cur;
  rlim_t rlim_max;
};
inline constexpr int RLIMIT_FSIZE = 1;
inline constexpr int SIGXFSZ = 25;
inline int setrlimit(int, const rlimit*) { return errno = ENOSYS, -1; }
inline pid_t fork() { return errno = ENOSYS, -1; }
inline pid_t waitpid(pid_t, int*, int) { return errno = ECHILD, -1; }
inline constexpr int WNOHANG = 1;
inline bool WIFEXITED(int) { return false; }
inline int WEXITSTATUS(int status) { return status; }
inline int geteuid() { return 1000; }
inline int setuid(int) { return errno = ENOSYS, -1; }
inline int setgid(int) { return errno = ENOSYS, -1; }
inline int mkfifo(const char*, int) { return errno = ENOSYS, -1; }
#endif
