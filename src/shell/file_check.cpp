#include "shell/file_check.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "map/geo_data.h"
#include "map/rule_warnings.h"
#include "map/svg_map.h"
#include "shell/actions.h"
#include "text/file_identity.h"
#include "text/program_dir.h"

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
  StationSource source;
  if (options.has_config()) {
    source.config_name = options.config_path.c_str();
    source.position_line = shell.config.position_line;
  }
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

// The named data file, else the first installed beside the program that
// reads. A file that does not read is said once; the map goes on without it.
bool find_geography(Shell& shell, const HostOptions& options, Geography& geo) {
  std::vector<std::string> places{options.geo_data_path};
  if (options.geo_data_path.empty()) places = geo_data_places(program_dir());
  for (const std::string& place : places) {
    std::error_code ec;
    if (options.geo_data_path.empty() && !std::filesystem::exists(place, ec)) continue;
    const std::string problem = load_geography(place, geo);
    if (problem.empty()) return true;
    shell.con.error("ktreva-host: geography %s: %s; the map is drawn without it\n", place.c_str(),
                    problem.c_str());
    return false;
  }
  return false;
}

bool write_map(Shell& shell, const HostOptions& options) {
  MapSources sources;
  if (options.has_config()) sources.config_name = options.config_path.c_str();
  if (options.has_rules()) sources.rules_name = options.rules_path.c_str();
  Geography geo;
  if (find_geography(shell, options, geo)) sources.geography = &geo;
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

// The map must not replace the files it is drawn from, however they are named.
std::string map_over_input(const HostOptions& options) {
  const char* map = options.map_path.c_str();
  for (const std::string* input : {&options.config_path, &options.rules_path}) {
    if (!input->empty() && same_file(map, input->c_str())) {
      return "--map " + options.map_path + " is the file " + *input +
             " itself: name another file for the map";
    }
  }
  return {};
}

void say_map_not_written(Shell& shell, const HostOptions& options) {
  std::error_code ec;
  if (std::filesystem::exists(options.map_path, ec)) {
    shell.con.error(
        "ktreva-host: no map written: the files did not compile; %s is an older "
        "map, left as it was\n",
        options.map_path.c_str());
  } else {
    shell.con.error("ktreva-host: no map written: the files did not compile\n");
  }
}

}  // namespace

int run_file_check(Shell& shell, const HostOptions& options) {
  const bool map = !options.map_path.empty();
  if (map) {
    const std::string clash = map_over_input(options);
    if (!clash.empty()) {
      shell.con.error("ktreva-host: %s\n", clash.c_str());
      return STATUS_USAGE;
    }
  }
  if (!compile_files(shell, options)) {
    if (map) say_map_not_written(shell, options);
    return STATUS_FAILED;
  }
  if (options.check) print_warnings(shell, options);
  if (map && !write_map(shell, options)) return STATUS_FAILED;
  return 0;
}
