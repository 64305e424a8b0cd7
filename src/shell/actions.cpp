#include "shell/actions.h"

#include "angles/angle_guide.h"
#include "config/conf_display.h"
#include "config/conf_process.h"
#include "rules/rule_display.h"
#include "rules/rules_process.h"
#include "serial/port_names.h"
#include "shell/cmd_table.h"
#include "shell/help_summary.h"

bool action_help(Shell& shell, WordSplitter&) {
  help_summary(shell.con, shell.config.conf_rec);
  return true;
}

bool action_angles(Shell& shell, WordSplitter&) {
  shell.con.print("%s\n", angle_guide_text);
  return true;
}

bool action_dconfigure(Shell& shell, WordSplitter&) {
  conf_display(shell.con, shell.config.conf_rec);
  return true;
}

bool action_drules(Shell& shell, WordSplitter&) {
  rules_display(shell.con, shell.rules, shell.config.conf_rec);
  return true;
}

bool action_repeat(Shell& shell, WordSplitter&) {
  shell.con.print("\a\aInternal Error: command %d is invalid!\n", static_cast<int>(CMD_REPEAT));
  return false;
}

const char* file_name_arg(Shell& shell, WordSplitter& words) {
  bool unclosed = false;
  const char* name = words.next_file_name(&unclosed);
  if (name == nullptr) {
    shell.con.print("\a\aError: missing argument: file_name\n");
  } else if (unclosed) {
    shell.con.print("\a\aError: missing closing quote in file name: %s\n", name);
    return nullptr;
  }
  return name;
}

int port_arg(Shell& shell, WordSplitter& words, const char* missing) {
  const char* arg = words.next();
  if (arg == nullptr) {
    shell.con.print("%s", missing);
    return 0;
  }
  const int port = parse_port_number(arg);
  if (port == 0) shell.con.print("\a\aError: invalid COM port number (1..10): %s\n", arg);
  return port;
}

bool baud_ok(Shell& shell, int baud) {
  if (in_baud_table(baud)) return true;
  shell.con.print("\a\aError: invalid baud rate: %d\n", baud);
  return false;
}

bool compile_configuration(Shell& shell, const char* file_name) {
  if (conf_process(shell.con, shell.config, file_name) == 0) return true;
  shell.con.print("\a\aError: Configuration processing failed\n");
  return false;
}

bool compile_rules(Shell& shell, const char* file_name) {
  if (rules_process(shell.con, shell.rules, shell.config.conf_rec, file_name) == 0) return true;
  shell.con.print("\a\aError: Rule processing failed\n");
  return false;
}

bool action_configure(Shell& shell, WordSplitter& words) {
  const char* file_name = file_name_arg(shell, words);
  return file_name != nullptr && compile_configuration(shell, file_name);
}

bool action_rules(Shell& shell, WordSplitter& words) {
  const char* file_name = file_name_arg(shell, words);
  return file_name != nullptr && compile_rules(shell, file_name);
}

bool ask_yes(Shell& shell) {
  if (!shell.con.read_line(shell.cmd_line, LINE_SIZE)) {
    shell.con.print("\n");
    return false;
  }
  return shell.cmd_line[0] == 'y' || shell.cmd_line[0] == 'Y';
}
