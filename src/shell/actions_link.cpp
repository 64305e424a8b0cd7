#include <cstdio>
#include <string>
#include <vector>

#include "config/conf_rec.h"
#include "device/dev_connect.h"
#include "device/dwn_download.h"
#include "device/link.h"
#include "shell/actions.h"
#include "shell/cmd_table.h"
#include "text/number_text.h"

namespace {

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
  const ConnectResult rc = dev_connect(shell.link, baud, ConnectMode::kConnect);
  if (rc == ConnectResult::kCannotOpen) advise_failed_open(shell);
  return rc == ConnectResult::kConnected;
}

void advise_failed_open(Shell& shell) {
  const PortEnv& env = shell.link.env;
  if (!env.open_advice) return;
  const char* name = shell.link.port_name;
  const std::string line = env.open_advice(name, env.names.device_path(name));
  if (!line.empty()) shell.con.error("%s\n", line.c_str());
}

bool action_disconnect(Shell& shell, WordSplitter&) {
  if (shell.link.connected != 1) {
    shell.con.print("\a\aError: not Connected!\n");
    return false;
  }
  shell.link.close();
  shell.con.print("Disconnected\n");
  return true;
}

bool action_baud(Shell& shell, WordSplitter& words) {
  Console& con = shell.con;
  const char* arg = words.next();
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
  if (shell.link.write_text(text) < 0) {
    con.print("\a\aError: wrote Host Baud command, got error on port %s\n", shell.link.port_name);
    shell.link.close();
    return false;
  }
  return dev_connect(shell.link, baud, ConnectMode::kBaudChange) == ConnectResult::kConnected;
}

bool action_download(Shell& shell, WordSplitter&) {
  Console& con = shell.con;
  if (shell.link.connected != 1) {
    con.print("\a\aError: not Connected!\n");
    return false;
  }
  if (!confirm_download(shell)) {
    con.print("\a\aDownload Aborted!\n");
    return false;
  }
  const ConfBytes conf_bytes = configuration_to_send(shell.config);
  const std::vector<std::uint8_t> rules = rule_bytes(shell.rules, shell.config.conf_rec.rule_count);
  const DownloadResult result = dwn_download(shell.link, conf_bytes, rules);
  // Nothing reached the device: the link stays as it was.
  if (result == DownloadResult::kCommandLine) return false;
  if (result != DownloadResult::kOk) {
    con.print("\a\aError: Download failed: %d\n", static_cast<int>(result));
  }
  con.print("\a\aPlease Power OFF the kTrevanodi and power it back on to RESET it.\n");
  shell.link.close();
  con.print("Disconnected\n");
  return result == DownloadResult::kOk;
}
