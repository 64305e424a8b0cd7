#include <filesystem>

#include "support/not_file_names.h"

std::vector<std::string> not_file_names(const ScratchDir& dir) {
  const std::string folder = dir.path("folder");
  std::filesystem::create_directory(folder);
  return {folder, "NUL"};
}
