#include <windows.h>

#include <array>

#include "text/program_dir.h"

std::string program_dir() {
  std::array<char, MAX_PATH + 1> path{};
  const DWORD got = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
  if (got == 0 || got >= MAX_PATH) return {};
  const std::string exe(path.data(), got);
  const std::size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}
