#include <io.h>

#include <cstdio>

#include "platform/plain_file.h"
#include "platform/win32_api.h"

long ReadPlainFile(const char* path, char* buffer, size_t size) {
  const HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  // Only a file on a disk: a pipe or a device could hold the reader.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return -1;
  }
  size_t done = 0;
  while (done < size) {
    DWORD n = 0;
    const DWORD ask = size - done > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size - done);
    if (!ReadFile(h, buffer + done, ask, &n, nullptr)) {
      CloseHandle(h);
      return -1;
    }
    if (n == 0) break;
    done += n;
  }
  CloseHandle(h);
  return static_cast<long>(done);
}

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
