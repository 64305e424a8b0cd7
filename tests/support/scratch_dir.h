#pragma once
// Test support: scratch files for the file compilers' tests, written in a
// folder of their own that goes away with the object.

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "text/text_file.h"

class ScratchDir {
 public:
  ScratchDir() {
    // Test processes run side by side: a random part keeps their folders apart.
    static const unsigned run = std::random_device{}();
    static std::atomic<int> serial{0};
    path_ = std::filesystem::temp_directory_path() /
            ("ktreva-scratch-" + std::to_string(run) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Writes `bytes` unchanged to a file in the folder; returns its path.
  std::string write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string path() const { return path_.string(); }
  // The read-error tests read the folder as a file: POSIX opens it and fails
  // the read, Windows refuses to open it at all.
  bool opens_as_file() const {
    std::FILE* f = std::fopen(path_.string().c_str(), "r");
    if (f != nullptr) std::fclose(f);
    return f != nullptr;
  }
  // A stream on a file of the folder that fails every read, standing for an
  // I/O error in mid-file: the file opened for appending only. Null where the
  // C library reads such a stream as empty instead (Windows' does).
  FilePtr unreadable_stream(const std::string& name, std::string_view bytes) const {
    FilePtr probe(std::fopen(write(name, bytes).c_str(), "a"));
    char buf[8];
    if (probe == nullptr || std::fgets(buf, sizeof buf, probe.get()) != nullptr ||
        !std::ferror(probe.get())) {
      return nullptr;
    }
    std::clearerr(probe.get());
    return probe;
  }
  // The path a file of that name would have in the folder.
  std::string path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
