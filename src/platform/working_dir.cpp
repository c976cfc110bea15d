#include "platform/working_dir.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {
// A path longer than this is taken as no path at all.
constexpr size_t kLongestPath = 1u << 20;
}  // namespace

std::string WorkingDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= kLongestPath) return "";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string WorkingDirectoryPath(const std::string& name) {
  const std::string folder = WorkingDirectory();
  return folder.empty() ? name : folder + "/" + name;
}
