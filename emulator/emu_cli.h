#pragma once
// ktreva-emu's command line.

#include <string>

#include "emu_options.h"

struct EmuCli {
  EmuOptions options;
  std::string link_path;  // symlink to the slave, moved to each new pty
  std::string log_path;   // session log; standard error when empty
  std::string dump_path;  // what each download or upload delivered
  std::string wire_path;  // every byte of every session, both ways, in hex
  bool read_stdin = true;
  bool help = false;
};

// 0 when the arguments are good; -1 with the reason in `error`.
int parse_emu_args(int argc, const char* const* argv, EmuCli& cli, std::string& error);

// The --help text.
std::string emu_usage();
