#pragma once
// Test helper: rules files written into a private temporary folder.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class RulesFiles {
 public:
  RulesFiles() {
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("ktreva-rules-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~RulesFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  RulesFiles(const RulesFiles&) = delete;
  RulesFiles& operator=(const RulesFiles&) = delete;

  // Writes `text` byte for byte and returns the file's path.
  std::string write(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};
