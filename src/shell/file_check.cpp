#include "shell/file_check.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "map/rule_warnings.h"
#include "map/svg_map.h"
#include "shell/actions.h"

namespace {

bool compile_files(Shell& shell, const HostOptions& options) {
  bool ok = true;
  if (options.has_config()) ok = compile_configuration(shell, options.config_path.c_str());
  // Both files are compiled, so that one run shows the messages of both.
  if (options.has_rules()) ok = compile_rules(shell, options.rules_path.c_str()) && ok;
  return ok;
}

void print_warnings(Shell& shell, const HostOptions& options) {
  if (!options.has_rules()) return;
  const StationSource source =
      options.has_config() ? StationSource::kConfigFile : StationSource::kNoConfigFile;
  for (const std::string& line :
       rule_warnings(shell.rules, shell.config.conf_rec, options.rules_path.c_str(), source)) {
    shell.con.put(line);
  }
}

// Empty on success, else why the file could not be written.
std::string write_file(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return std::strerror(errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int write_errno = errno;
  if (std::fclose(file) != 0 || !written) return std::strerror(written ? errno : write_errno);
  return {};
}

bool write_map(Shell& shell, const HostOptions& options) {
  MapSources sources;
  if (options.has_config()) sources.config_name = options.config_path.c_str();
  if (options.has_rules()) sources.rules_name = options.rules_path.c_str();
  const std::string problem =
      write_file(options.map_path, svg_map(shell.rules, shell.config.conf_rec, sources));
  if (!problem.empty()) {
    shell.con.error("ktreva-host: cannot write %s: %s\n", options.map_path.c_str(),
                    problem.c_str());
    return false;
  }
  shell.con.print("Map written to %s\n", options.map_path.c_str());
  return true;
}

}  // namespace

int run_file_check(Shell& shell, const HostOptions& options) {
  if (!compile_files(shell, options)) return STATUS_FAILED;
  if (options.check) print_warnings(shell, options);
  if (!options.map_path.empty() && !write_map(shell, options)) return STATUS_FAILED;
  return 0;
}
