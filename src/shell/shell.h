#pragma once
// The interactive command loop and the state that lives for the whole run.

#include <cstddef>
#include <cstdint>

#include "config/conf_rec.h"
#include "console/console.h"
#include "device/link.h"
#include "rules/rule_set.h"

constexpr std::size_t WORD_SIZE = 40;  // command word, firmware answer

struct Shell {
  explicit Shell(Console& console) : con(console), link(console) {}

  Console& con;
  ConfigState config;
  RuleState rules;
  Link link;
  char cmd_line[LINE_SIZE] = {};
  char prev_line[LINE_SIZE] = {};
  // A scripted session ends at the first command that fails (status 3), and
  // one whose every command succeeded ends with 0 at the end of its input.
  bool stop_on_error = false;
};

// What running one command line came to.
enum class LineResult { kDone, kFailed, kExit };

// The process's exit statuses besides 0.
enum ExitStatus : int {
  STATUS_FAILED = 1,          // the input ended (without --stop-on-error), or a file or list failed
  STATUS_USAGE = 2,           // the command line, or a session file, could not be used
  STATUS_COMMAND_FAILED = 3,  // a scripted session stopped at a failed command
};

// Banner, defaults, help, then the loop. Returns the process exit status.
int shell_main(Shell& shell);

// Reads and runs commands until exit (0) or end of input (1; 0 with
// stop_on_error), or, with stop_on_error, the first failed command (3).
int command_loop(Shell& shell);

// Runs one command line (without its newline).
LineResult run_line(Shell& shell, char* line);
