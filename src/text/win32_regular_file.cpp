#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>

#include "text/regular_file.h"

namespace {

// CreateFileA refuses a folder, and that would read as "cannot open".
bool is_folder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

OpenStatus open_regular_file(const char* path, std::FILE** file) {
  *file = nullptr;
  if (is_folder(path)) return OpenStatus::kNotRegular;
  // Shared like fopen's handle, so a file still open in an editor reads.
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return OpenStatus::kCannotOpen;
  // CON, NUL, COM1, pipes: only a disk file is read.
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return OpenStatus::kNotRegular;
  }
  const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_RDONLY | _O_TEXT);
  if (fd < 0) {
    CloseHandle(handle);
    return OpenStatus::kCannotOpen;
  }
  *file = _fdopen(fd, "r");
  if (*file == nullptr) {
    _close(fd);
    return OpenStatus::kCannotOpen;
  }
  return OpenStatus::kOpened;
}
