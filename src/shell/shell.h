#pragma once
// The interactive command loop and the state that lives for the whole run.

#include <cstddef>
#include <cstdint>

#include "config/conf_rec.h"
#include "console/console.h"
#include "device/link_state.h"
#include "rules/rule_set.h"

constexpr std::size_t WORD_SIZE = 40;  // command word, firmware answer

struct Shell {
  explicit Shell(Console& console) : con(console) {}

  Console& con;
  ConfigState config;
  RuleState rules;
  LinkState link;
  char cmd_line[LINE_SIZE] = {};
  char prev_line[LINE_SIZE] = {};
};

// Banner, defaults, help, then the loop. Returns the process exit status.
int shell_main(Shell& shell);

// Reads and runs commands until exit (0) or end of input (1).
int command_loop(Shell& shell);

// Runs one command line (without its newline). Returns true when the line
// asked the program to exit.
bool run_line(Shell& shell, char* line);
