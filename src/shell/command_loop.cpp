#include <cstring>

#include "device/version.h"
#include "shell/actions.h"
#include "shell/cmd_table.h"
#include "shell/help_summary.h"
#include "shell/shell.h"
#include "shell/words.h"
#include "text/text_file.h"

int shell_main(Shell& shell) {
  shell.con.print("kTrevaNodi PC Host Utility %s\n", KTREVA_VERSION);
  conf_defaults(shell.config.conf_rec);
  help_summary(shell.con, shell.config.conf_rec);
  shell.con.print("\n");
  return command_loop(shell);
}

int command_loop(Shell& shell) {
  for (;;) {
    if (!shell.con.read_command(shell.cmd_line, LINE_SIZE, "Command> ")) {
      shell.con.print("\n");
      return shell.stop_on_error ? 0 : STATUS_FAILED;
    }
    if (shell.cmd_line[0] == '\n') continue;
    // A dot stands for the line before it, which the history already holds.
    if (shell.cmd_line[0] != '.') shell.con.remember_command();
    strip_newline(shell.cmd_line);
    // A leading dot repeats the last line that did not begin with one.
    if (shell.cmd_line[0] == '.') {
      std::memcpy(shell.cmd_line, shell.prev_line, LINE_SIZE);
    } else {
      std::memcpy(shell.prev_line, shell.cmd_line, LINE_SIZE);
    }
    char line[LINE_SIZE];
    std::memcpy(line, shell.cmd_line, LINE_SIZE);
    const LineResult result = run_line(shell, line);
    if (result == LineResult::kExit) return 0;
    if (result == LineResult::kFailed && shell.stop_on_error) return STATUS_COMMAND_FAILED;
  }
}

LineResult run_line(Shell& shell, char* line) {
  WordSplitter words(line);
  const char* word = words.next();
  if (word == nullptr) return LineResult::kDone;
  const CmdMatch match = match_command(word);
  if (match.kind == MatchKind::kNone) {
    shell.con.print("\a\aError: unknown command: %s\n", word);
    return LineResult::kFailed;
  }
  if (match.kind == MatchKind::kAmbiguous) {
    shell.con.print("\a\aError: ambiguous command: %s\n", word);
    return LineResult::kFailed;
  }
  return match.entry->handler(shell, words);
}
