#include <vector>

#include "platform/win32_api.h"
#include "platform/working_dir.h"

std::string WorkingDirectory() {
  const DWORD need = GetCurrentDirectoryA(0, nullptr);
  if (need == 0) return "";
  std::vector<char> buffer(need + 1);
  const DWORD got = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (got == 0 || got >= buffer.size()) return "";
  std::string folder(buffer.data(), got);
  // A drive's root ends in a backslash of its own ("C:\").
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string WorkingDirectoryPath(const std::string& name) {
  const std::string folder = WorkingDirectory();
  return folder.empty() ? name : folder + "\\" + name;
}
