#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

#include "platform/save_temp_names.h"

namespace {

std::string DirName(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void RemoveLeftovers(const std::string& target) {
  const std::string dir = DirName(target);
  const std::string prefix = BaseName(target) + kSaveTempInfix;
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (!IsSaveTempName(name, prefix)) continue;
    const std::string full = dir + "/" + name;
    struct stat st;
    if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(full.c_str());
  }
  closedir(d);
}

// Creates a new temporary file beside target; -1 with errno set on failure.
int CreateTemp(const std::string& target, std::string* name) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = RandomSaveTempName(target, random);
    // 0666: the umask decides a new file's permissions, as for any new file.
    const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  std::string p = path;
  // As the system does, give up after 40 links (a loop of links).
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    char buffer[PATH_MAX];
    const ssize_t n = readlink(p.c_str(), buffer, sizeof(buffer) - 1);
    if (n <= 0) return p;
    const std::string link(buffer, static_cast<size_t>(n));
    p = link[0] == '/' ? link : DirName(p) + "/" + link;
  }
  return p;
}

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error) {
  const std::string target = ResolveLinks(path);
  auto fail = [&](int code) {
    if (error) *error = std::strerror(code);
    return false;
  };
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  // rename() would refuse too, but only after the whole text was written.
  if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR);
  RemoveLeftovers(target);

  std::string temp;
  const int fd = CreateTemp(target, &temp);
  if (fd < 0) return fail(errno);
  int code = 0;
  if (exists) {
    // Errors ignored: a user may save a file another user owns but not chown it.
    if (fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
    if (fchmod(fd, old.st_mode & 07777) != 0 && code == 0) code = errno;
  }
  if (code == 0 && !WriteAll(fd, text)) code = errno;
  if (code == 0 && fsync(fd) != 0) code = errno;
  if (close(fd) != 0 && code == 0) code = errno;
  if (code == 0 && rename(temp.c_str(), target.c_str()) != 0) code = errno;
  if (code != 0) {
    unlink(temp.c_str());
    return fail(code);
  }
  // The rename itself reaches the disk with the folder.
  const int dir = open(DirName(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}
