#include <cstring>

#include "firmware/firmware.h"
#include "shell/actions.h"

bool action_firmware(Shell& shell, WordSplitter& words) {
  Console& con = shell.con;
  if (shell.link.connected == 1) {
    con.print("\a\aError: already Connected, Disconnect first!\n");
    return false;
  }
  const int port = port_arg(shell, words, "\a\aError: missing arguments: com_port file_name\n");
  if (port == 0) return false;
  const char* file_arg = file_name_arg(shell, words);
  if (file_arg == nullptr) return false;
  char fw_file[LINE_SIZE];
  std::strncpy(fw_file, file_arg, sizeof fw_file - 1);
  fw_file[sizeof fw_file - 1] = '\0';

  con.print(
      "\a\aWARNING! This will alter the kTrevaNodi firmware!\n"
      "Do you want to continue (n or y)? [n]: ");
  char answer[WORD_SIZE];
  if (!con.read_line(answer, sizeof answer)) {
    con.print("\n");
    answer[0] = '\0';
  }
  if (answer[0] != 'y' && answer[0] != 'Y') {
    con.print("kTrevaNodi Firmware will NOT be updated!\n");
    return false;
  }
  const FirmwareResult rc = firmware(shell.link, port, fw_file);
  if (rc == FirmwareResult::kOk) {
    con.print(
        "\a\aFirmware update succeeded!\n\nPower cycle kTrevaNodi!\n"
        "Don't forget to Configure Operating Parameters, Process Rules\n"
        "and Download these to the kTrevaNodi!\n");
    return true;
  }
  con.print("Error: Firmware update failed!\n\tPower cycle kTrevaNodi and try again!\n");
  if (rc == FirmwareResult::kPortNotOpened) advise_failed_open(shell);
  return false;
}
