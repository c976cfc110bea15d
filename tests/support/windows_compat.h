// The few POSIX calls the test helpers make, for the Windows build of the
// tests (included before every test file there).
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>

#include <cstring>

// A new folder named by the pattern, its trailing XXXXXX made unique.
inline char* mkdtemp(char* pattern) {
  if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
  if (_mkdir(pattern) != 0) return nullptr;
  return pattern;
}
#endif
