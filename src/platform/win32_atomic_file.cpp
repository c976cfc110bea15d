#include <random>

#include "platform/atomic_file.h"
#include "platform/save_temp_names.h"
#include "platform/win32_api.h"

namespace {

size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string DirName(const std::string& path) {
  const size_t slash = LastSeparator(path);
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const size_t slash = LastSeparator(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The system's words for the errors a save meets, as the C library says them.
std::string Reason(DWORD code) {
  switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return "Permission denied";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "No such file or directory";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    case ERROR_DIRECTORY:
      return "Is a directory";
    default:
      break;
  }
  char text[256] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 code, 0, text, sizeof text, nullptr);
  std::string s(text, n);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == '.')) s.pop_back();
  return s.empty() ? "Input/output error" : s;
}

void RemoveLeftovers(const std::string& target) {
  const std::string dir = DirName(target);
  const std::string prefix = BaseName(target) + kSaveTempInfix;
  WIN32_FIND_DATAA found;
  const HANDLE h = FindFirstFileA((target + kSaveTempInfix + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string name = found.cFileName;
    if (IsSaveTempName(name, prefix)) DeleteFileA((dir + "\\" + name).c_str());
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

HANDLE CreateTemp(const std::string& target, std::string* name) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = RandomSaveTempName(target, random);
    const HANDLE h = CreateFileA(name->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// Windows settings folders hold no symbolic links worth following.
std::string ResolveLinks(const std::string& path) { return path; }

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error) {
  auto fail = [&](DWORD code) {
    if (error) *error = Reason(code);
    return false;
  };
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return fail(ERROR_DIRECTORY);
  }
  RemoveLeftovers(path);

  std::string temp;
  const HANDLE h = CreateTemp(path, &temp);
  if (h == INVALID_HANDLE_VALUE) return fail(GetLastError());
  DWORD code = 0;
  size_t done = 0;
  while (code == 0 && done < text.size()) {
    DWORD n = 0;
    const DWORD ask = text.size() - done > 0x10000000 ? 0x10000000 : static_cast<DWORD>(text.size() - done);
    if (!WriteFile(h, text.data() + done, ask, &n, nullptr)) code = GetLastError();
    else if (n == 0) code = ERROR_WRITE_FAULT;
    done += n;
  }
  if (code == 0 && !FlushFileBuffers(h)) code = GetLastError();
  CloseHandle(h);
  // Windows refuses to replace a read-only file: that is reported as such.
  if (code == 0 &&
      !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != 0) {
    DeleteFileA(temp.c_str());
    return fail(code);
  }
  return true;
}
