// The single-instance rule: the running program holds an advisory lock on a
// file named for its window title; a second start finds it held.
#pragma once

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
  int m_Fd = -1;
};

// The user's runtime folder ($XDG_RUNTIME_DIR), or the temporary folder.
std::string RuntimeFolder();
