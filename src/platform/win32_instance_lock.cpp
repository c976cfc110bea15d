#include <functional>

#include "platform/instance_lock.h"
#include "platform/win32_api.h"

std::string RuntimeFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : ".";
}

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::Acquire(const std::string& title, const std::string& dir) {
  if (m_Fd >= 0) return true;
  // A window of that title is a running copy even if it took no lock.
  if (dir.empty() && FindWindowA(nullptr, title.c_str()) != nullptr) return false;
  // The mutex covers the start-up before the window exists; a test's folder
  // gives it a name of its own. Mutex names may not hold backslashes.
  std::string name = "Local\\" + title;
  if (!dir.empty()) name += "-" + std::to_string(std::hash<std::string>{}(dir));
  const HANDLE h = CreateMutexA(nullptr, TRUE, name.c_str());
  if (h == nullptr) return true;  // no place for a lock: do not stop the program over it
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return false;
  }
  m_Fd = reinterpret_cast<intptr_t>(h);
  return true;
}

void InstanceLock::Release() {
  if (m_Fd < 0) return;
  const HANDLE h = reinterpret_cast<HANDLE>(m_Fd);
  ReleaseMutex(h);
  CloseHandle(h);
  m_Fd = -1;
}
