#include <unistd.h>

#include <array>

#include "text/program_dir.h"

std::string program_dir() {
  std::array<char, 4096> path{};
  const ssize_t got = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (got <= 0) return {};
  const std::string exe(path.data(), static_cast<std::size_t>(got));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}
