#include <sys/stat.h>

#include <filesystem>

#include "support/not_file_names.h"

std::vector<std::string> not_file_names(const ScratchDir& dir) {
  const std::string folder = dir.path("folder");
  const std::string fifo = dir.path("pipe");
  std::filesystem::create_directory(folder);
  ::mkfifo(fifo.c_str(), 0600);
  return {folder, fifo, "/dev/null"};
}
