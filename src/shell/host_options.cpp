#include "shell/host_options.h"

#include <array>
#include <cstring>
#include <string_view>

#include "console/console.h"
#include "serial/port_names.h"

namespace {

struct OptionRow {
  const char* name;
  const char* value_name;  // null for an option that takes no value
  const char* help;
  // Takes the value (null for a flag); empty, or what is wrong with it.
  std::string (*take)(HostOptions& options, const char* value);
};

// A value that looks like the next option is most likely one: "--map
// --check" would otherwise write a file named --check.
bool looks_like_option(const char* value) { return std::strncmp(value, "--", 2) == 0; }

// A second value for the same option is refused rather than one of the two
// silently dropped; the same value again is harmless. `needs` says what the
// value is.
std::string take_path(std::string& field, const char* option, const char* value,
                      const char* needs = "a file name") {
  if (*value == '\0' || looks_like_option(value)) return format_text("%s needs %s", option, needs);
  if (!field.empty() && field != value) {
    return format_text("%s given twice: %s and %s", option, field.c_str(), value);
  }
  field = value;
  return {};
}

std::string take_com(HostOptions& options, const char* value) {
  if (looks_like_option(value)) return "--com needs a value N=PATH";
  const char* eq = std::strchr(value, '=');
  const int n =
      eq == nullptr ? 0 : parse_port_number(std::string_view(value, eq), PortText::kNumber);
  const std::string earlier = options.port_names.mapped(n);
  if (!options.port_names.map(value)) {
    return format_text("bad --com value: %s (expected N=PATH, N 1..10)", value);
  }
  if (!earlier.empty() && earlier != eq + 1) {
    return format_text("--com %d given twice: %s and %s", n, earlier.c_str(), eq + 1);
  }
  return {};
}

// A flag: sets its field of the options.
template <bool HostOptions::*Flag>
std::string set_flag(HostOptions& options, const char*) {
  options.*Flag = true;
  return {};
}

const std::array<OptionRow, 13> option_table{{
    {"--help", nullptr, "show this summary and exit", set_flag<&HostOptions::help>},
    {"--version", nullptr, "show the release and the device version it speaks to, and exit",
     set_flag<&HostOptions::version>},
    {"--list-ports", nullptr, "list the serial ports this PC has and what each one is, and exit",
     set_flag<&HostOptions::list_ports>},
    {"--port-check", "PORT",
     "say what keeps PORT (a path or COMn) from opening, try as connect would, and exit",
     [](HostOptions& o, const char* v) {
       return take_path(o.port_check, "--port-check", v, "a device path or COMn");
     }},
    {"--com", "N=PATH", "open port COMN as the device PATH (N 1..10; repeatable)", take_com},
    {"--check", nullptr, "compile --config and --rules, print warnings, and exit",
     set_flag<&HostOptions::check>},
    {"--map", "OUT.svg", "compile --config and --rules and draw the rules as an SVG map",
     [](HostOptions& o, const char* v) { return take_path(o.map_path, "--map", v); }},
    {"--config", "FILE", "the station configuration file for --check and --map",
     [](HostOptions& o, const char* v) { return take_path(o.config_path, "--config", v); }},
    {"--rules", "FILE", "the rules file for --check and --map",
     [](HostOptions& o, const char* v) { return take_path(o.rules_path, "--rules", v); }},
    {"--geo-data", "FILE", "the map's geography (default: the file installed with the program)",
     [](HostOptions& o, const char* v) { return take_path(o.geo_data_path, "--geo-data", v); }},
    {"--stop-on-error", nullptr, "end a scripted session at the first failed command (status 3)",
     set_flag<&HostOptions::stop_on_error>},
    {"--trace", "FILE", "write every serial port event to FILE, with its time and bytes",
     [](HostOptions& o, const char* v) { return take_path(o.trace_path, "--trace", v); }},
    {"--log", "FILE", "copy the session to FILE as the console showed it",
     [](HostOptions& o, const char* v) { return take_path(o.log_path, "--log", v); }},
}};

const OptionRow* find_option(std::string_view name) {
  for (const OptionRow& row : option_table) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

// An option that ends the run before the session ignored the ones that need
// a session or a compilation; refused instead.
std::string check_run_ending(const HostOptions& o) {
  const char* ending = o.help         ? "--help"
                       : o.version    ? "--version"
                       : o.list_ports ? "--list-ports"
                                      : "--port-check";
  const char* needing = o.check                    ? "--check"
                        : !o.map_path.empty()      ? "--map"
                        : o.has_config()           ? "--config"
                        : o.has_rules()            ? "--rules"
                        : o.stop_on_error          ? "--stop-on-error"
                        : !o.trace_path.empty()    ? "--trace"
                        : !o.log_path.empty()      ? "--log"
                        : !o.geo_data_path.empty() ? "--geo-data"
                                                   : nullptr;
  if (needing == nullptr) return {};
  return format_text("%s ends the run before a session: it does not go with %s", ending, needing);
}

// The combinations that make no sense are refused rather than ignored.
std::string check_combination(const HostOptions& o) {
  if ((o.has_config() || o.has_rules()) && !o.offline()) {
    return "--config and --rules go with --check or --map";
  }
  if (!o.geo_data_path.empty() && o.map_path.empty()) return "--geo-data goes with --map";
  if (o.offline() && !o.has_config() && !o.has_rules()) {
    return format_text("%s needs --config FILE, --rules FILE or both",
                       o.check ? "--check" : "--map");
  }
  if (o.offline() && o.stop_on_error)
    return "--stop-on-error is for a session, not --check or --map";
  if (o.offline() && (!o.trace_path.empty() || !o.log_path.empty()))
    return "--trace and --log are for a session, not --check or --map";
  return {};
}

}  // namespace

std::string parse_host_options(int argc, char** argv, HostOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const std::size_t eq = arg.find('=');
    const bool inline_value = arg.rfind("--", 0) == 0 && eq != std::string_view::npos;
    const OptionRow* row = find_option(inline_value ? arg.substr(0, eq) : arg);
    if (row == nullptr) return format_text("unknown option: %s", argv[i]);
    const char* value = nullptr;
    if (row->value_name != nullptr) {
      value = inline_value ? argv[i] + eq + 1 : (i + 1 < argc ? argv[++i] : nullptr);
      if (value == nullptr) return format_text("%s needs a value %s", row->name, row->value_name);
    } else if (inline_value) {
      return format_text("%s takes no value", row->name);
    }
    std::string problem = row->take(options, value);
    if (!problem.empty()) return problem;
  }
  if (options.help || options.version || options.list_ports || !options.port_check.empty()) {
    return check_run_ending(options);
  }
  return check_combination(options);
}

void print_usage(std::FILE* out) {
  std::fprintf(out,
               "usage: ktreva-host [OPTION]...\n"
               "Reads commands at the Command> prompt; type help there for the list.\n");
  for (const OptionRow& row : option_table) {
    const std::string left = row.value_name != nullptr
                                 ? format_text("%s %s", row.name, row.value_name)
                                 : std::string(row.name);
    std::fprintf(out, "  %-17s %s\n", left.c_str(), row.help);
  }
}
