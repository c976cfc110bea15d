#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

std::string RuntimeFolder() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && *xdg && access(xdg, W_OK) == 0) return xdg;
  return "/tmp";
}

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::Acquire(const std::string& title, const std::string& dir) {
  if (m_Fd >= 0) return true;
  const std::string folder = dir.empty() ? RuntimeFolder() : dir;
  // One lock file per user: /tmp is shared between users.
  const std::string path = folder + "/" + title + "-" + std::to_string(getuid()) + ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no place for a lock: do not stop the program over it
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  m_Fd = fd;
  return true;
}

void InstanceLock::Release() {
  if (m_Fd < 0) return;
  flock(m_Fd, LOCK_UN);
  close(m_Fd);
  m_Fd = -1;
}
