#include <mach-o/dyld.h>

#include <cstdint>
#include <vector>

#include "text/program_dir.h"

std::string program_dir() {
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> path(size + 1, '\0');
  if (_NSGetExecutablePath(path.data(), &size) != 0) return {};
  const std::string exe(path.data());
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}
