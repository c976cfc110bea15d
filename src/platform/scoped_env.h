// An environment variable set for the life of an object, then put back as it
// was (or removed again).
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : m_Name(name) {
    if (const char* old = std::getenv(name)) m_Old = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (m_Old) {
      setenv(m_Name, m_Old->c_str(), 1);
    } else {
      unsetenv(m_Name);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* m_Name;
  std::optional<std::string> m_Old;
};
