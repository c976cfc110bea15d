// The single-instance rule: the running program holds an advisory lock on a
// file named for its window title (on Windows a named mutex, and a top-level
// window of that title counts too); a second start finds it held.
#pragma once

#include <cstdint>
#include <string>

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock of title in folder dir (the user's runtime folder when dir is
  // empty). False when another process holds it.
  bool Acquire(const std::string& title, const std::string& dir = "");
  void Release();
  bool held() const { return m_Fd >= 0; }

 private:
  intptr_t m_Fd = -1;  // the lock file's descriptor (Windows: the mutex handle)
};

// The user's runtime folder ($XDG_RUNTIME_DIR), or the temporary folder.
std::string RuntimeFolder();
