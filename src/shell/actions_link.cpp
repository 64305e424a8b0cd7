#include <cstdio>
#include <string_view>
#include <vector>

#include "config/conf_rec.h"
#include "console/number_text.h"
#include "device/dev_connect.h"
#include "device/dwn_download.h"
#include "device/link.h"
#include "shell/actions.h"
#include "shell/cmd_table.h"

namespace {

// Sends a command text to the device over the open link.
int send_text(Shell& shell, std::string_view text) {
  return Link(shell.con, shell.link).write_text(text);
}

// What the download sends as the configuration: the compiled record, or,
// when no file was compiled to its end, the defaults with the rule set's
// fields as they are (a file that failed part-way is never sent).
ConfBytes configuration_to_send(const ConfigState& config) {
  if (config.conf_processed != 0) return conf_encode(config.conf_rec);
  ConfRec rec = conf_default_rec;
  rec.implicit_action = config.conf_rec.implicit_action;
  rec.rule_count = config.conf_rec.rule_count;
  return conf_encode(rec);
}

bool confirm_download(Shell& shell) {
  Console& con = shell.con;
  if (shell.config.conf_processed == 0) {
    con.print(
        "\a\aWarning: Configuration file has not yet been processed!\n"
        "Do you want to use the Default Configuration? (yes|no) [no]: ");
    if (!ask_yes(shell)) return false;
  }
  if (shell.rules.rules_processed == 0) {
    con.print(
        "\n\a\aWarning: Rules file has not yet been processed!\n"
        "Do you  want to use the Implicit Rule only without specific rules?\n(yes|no) [no]: ");
    if (!ask_yes(shell)) return false;
  }
  return true;
}

}  // namespace

bool action_connect(Shell& shell, WordSplitter& words) {
  Console& con = shell.con;
  if (shell.link.connected == 1) {
    con.print("\a\aError: already Connected!\n");
    return false;
  }
  const int port = port_arg(shell, words, "\a\aError: missing argument: com_port\n");
  if (port == 0) return false;
  const char* baud_arg = words.next();
  const int baud = baud_arg != nullptr
                       ? read_int(baud_arg)
                       : static_cast<int>(default_connect_baud(shell.config.conf_rec));
  if (!baud_ok(shell, baud)) return false;
  shell.link.req_baud = baud;
  std::snprintf(shell.link.port_name, sizeof shell.link.port_name, "COM%d", port);
  return dev_connect(con, shell.link, baud, DEV_MODE_CONNECT) == 0;
}

bool action_disconnect(Shell& shell) {
  if (shell.link.connected != 1) {
    shell.con.print("\a\aError: not Connected!\n");
    return false;
  }
  link_close(shell.link);
  shell.con.print("Disconnected\n");
  return true;
}

bool action_baud(Shell& shell, const char* arg) {
  Console& con = shell.con;
  if (shell.link.connected != 1) {
    con.print("\a\aError: must be Connected before changing the Baud!\n");
    return false;
  }
  if (arg == nullptr) {
    con.print("\a\aError: missing argument: baud\n");
    return false;
  }
  const int baud = read_int(arg);
  if (!baud_ok(shell, baud)) return false;
  shell.link.req_baud = baud;
  char text[WORD_SIZE];
  std::snprintf(text, sizeof text, "host %ld\r", static_cast<long>(baud));
  if (send_text(shell, text) < 0) {
    con.print("\a\aError: wrote Host Baud command, got error on port %s\n", shell.link.port_name);
    link_close(shell.link);
    return false;
  }
  return dev_connect(con, shell.link, baud, DEV_MODE_BAUD_CHANGE) == 0;
}

bool action_download(Shell& shell) {
  Console& con = shell.con;
  if (shell.link.connected != 1) {
    con.print("\a\aError: not Connected!\n");
    return false;
  }
  if (!confirm_download(shell)) {
    con.print("\a\aDownload Aborted!\n");
    return false;
  }
  if (send_text(shell, "download\r\n") < 0) {
    con.print("\a\aError: wrote Download command, got error on port %s\n", shell.link.port_name);
    return false;
  }
  const ConfBytes conf_bytes = configuration_to_send(shell.config);
  const std::vector<std::uint8_t> rules = rule_bytes(shell.rules, shell.config.conf_rec.rule_count);
  const int result = dwn_download(con, shell.link, conf_bytes, rules);
  if (result != 0) con.print("\a\aError: Download failed: %d\n", result);
  con.print("\a\aPlease Power OFF the kTrevanodi and power it back on to RESET it.\n");
  link_close(shell.link);
  con.print("Disconnected\n");
  return result == 0;
}
