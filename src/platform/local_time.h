// The local calendar time of a moment, safe to call from any thread.
#pragma once

#include <ctime>

inline std::tm LocalTime(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  return local;
}
