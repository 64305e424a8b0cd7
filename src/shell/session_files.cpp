#include "shell/session_files.h"

#include <cerrno>
#include <cstring>

#include "console/console.h"

namespace {

std::string create(const std::string& path, const char* what, FilePtr& file) {
  file.reset(std::fopen(path.c_str(), "wb"));
  if (file == nullptr) {
    return format_text("cannot create the %s file %s: %s", what, path.c_str(),
                       std::strerror(errno));
  }
  return {};
}

}  // namespace

std::string open_session_files(const HostOptions& options, SessionFiles& files) {
  if (!options.trace_path.empty()) {
    FilePtr trace;
    std::string problem = create(options.trace_path, "trace", trace);
    if (!problem.empty()) return problem;
    files.trace = std::make_unique<WireTrace>(std::move(trace));
  }
  if (!options.log_path.empty()) return create(options.log_path, "log", files.log);
  return {};
}
