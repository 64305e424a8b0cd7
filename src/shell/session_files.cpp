#include "shell/session_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "console/console.h"
#include "text/file_identity.h"

namespace {

struct Wanted {
  std::string path;
  const char* what;
  bool existed = false;
};

std::string cannot_create(const Wanted& file) {
  return format_text("cannot create the %s file %s: %s", file.what, file.path.c_str(),
                     std::strerror(errno));
}

bool exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

// The files are tried for writing without emptying them, and those that
// this try created are removed again when one fails.
std::string try_files(std::vector<Wanted>& files) {
  std::string problem;
  for (Wanted& file : files) {
    file.existed = exists(file.path);
    const FilePtr tried(std::fopen(file.path.c_str(), "ab"));
    if (tried == nullptr) {
      problem = cannot_create(file);
      break;
    }
  }
  // The same file however named: by its identity, now that both exist.
  if (problem.empty() && files.size() == 2 &&
      same_file(files[0].path.c_str(), files[1].path.c_str())) {
    problem = format_text("--trace and --log name the same file: %s", files[1].path.c_str());
  }
  if (!problem.empty()) {
    std::error_code ec;
    for (const Wanted& file : files) {
      if (!file.existed) std::filesystem::remove(file.path, ec);
    }
  }
  return problem;
}

std::string create(const Wanted& file, FilePtr& opened) {
  opened.reset(std::fopen(file.path.c_str(), "wb"));
  return opened == nullptr ? cannot_create(file) : std::string();
}

}  // namespace

std::string open_session_files(const HostOptions& options, SessionFiles& files) {
  std::vector<Wanted> wanted;
  if (!options.trace_path.empty()) wanted.push_back({options.trace_path, "trace"});
  if (!options.log_path.empty()) wanted.push_back({options.log_path, "log"});
  std::string problem = try_files(wanted);
  if (!problem.empty()) return problem;
  if (!options.trace_path.empty()) {
    FilePtr trace;
    problem = create(wanted.front(), trace);
    if (!problem.empty()) return problem;
    files.trace = std::make_unique<WireTrace>(std::move(trace));
  }
  if (!options.log_path.empty()) return create(wanted.back(), files.log);
  return {};
}
