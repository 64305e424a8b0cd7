#pragma once
// The command line: one table of options, from which both the parser and
// the --help text come.

#include <cstdio>
#include <string>

#include "serial/port_names.h"

// What the command line asked for. The session at the prompt runs unless
// one of the modes without it (help, version, list-ports, port-check, check,
// map) was asked.
struct HostOptions {
  bool help = false;
  bool version = false;
  bool list_ports = false;
  std::string port_check;  // --port-check: empty when not asked
  bool check = false;
  std::string map_path;  // --map: empty when not asked
  std::string config_path;
  std::string rules_path;
  std::string geo_data_path;  // --geo-data: empty for the file installed with the program
  bool stop_on_error = false;
  std::string trace_path;  // --trace: empty when not asked
  std::string log_path;    // --log: empty when not asked
  PortNames port_names;    // --com
  bool has_config() const { return !config_path.empty(); }
  bool has_rules() const { return !rules_path.empty(); }
  bool offline() const { return check || !map_path.empty(); }
};

// Reads argv into `options`.
// Empty on success; otherwise what is wrong, in one line.
std::string parse_host_options(int argc, char** argv, HostOptions& options);

// The usage line and one line per option.
void print_usage(std::FILE* out);
