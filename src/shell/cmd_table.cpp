#include "shell/cmd_table.h"

#include "console/word_match.h"

const CmdEntry cmd_table[CMD_TABLE_SIZE] = {
    {1, CMD_HELP, "help", "", "Displays this summary (alias ?)"},
    {0, CMD_HELP, "?", "", "Displays this summary"},
    {1, CMD_REPEAT, ".", "", "Repeats the previous command"},
    {1, CMD_ANGLES, "angles", "", "Displays the Angles format used for Lat and Lon"},
    {1, CMD_BAUD, "baud", "baud",
     "Changes the baud rates on host and kTrevaNodi\n\t\t\t\tonce connected. Default [ ]"},
    {1, CMD_CONFIGURE, "configure", "file_name", "Reads a Configuration file"},
    {1, CMD_DCONFIGURE, "dconfigure", "", "Displays the Configuration"},
    {1, CMD_RULES, "rules", "file_name", "Reads a Rules file"},
    {1, CMD_DRULES, "drules", "", "Displays the Rules"},
    {1, CMD_CONNECT, "connect", "com_port [baud]",
     "Connect to kTrevaNodi at optional baud\n\t\t\t\t(8 bits No Parity 1 Stop)"},
    {1, CMD_DISCONNECT, "disconnect", "", "Disconnect from the kTrevaNodi"},
    {1, CMD_DOWNLOAD, "download", "", "Download Configuration and Rules to kTrevaNodi"},
    {1, CMD_FIRMWARE, "firmware", "com_port file_name",
     "Update kTrevaNodi firmware from firmware file"},
    {1, CMD_EXIT, "exit", "", "Exits this program (aliases quit, x)"},
    {0, CMD_EXIT, "quit", "", "Same as exit"},
    {0, CMD_EXIT, "x", "", "Same as exit"},
};

const std::uint32_t baud_table[BAUD_TABLE_SIZE] = {4800, 9600, 19200, 38400, 57600};

bool in_baud_table(long baud) {
  for (std::uint32_t rate : baud_table) {
    if (static_cast<long>(rate) == baud) return true;
  }
  return false;
}

CmdMatch match_command(const char* word) {
  CmdMatch found{MatchKind::kNone, nullptr};
  for (const CmdEntry& entry : cmd_table) {
    if (!is_prefix_of(word, entry.name)) continue;
    if (found.entry != nullptr) return {MatchKind::kAmbiguous, nullptr};
    found = {MatchKind::kUnique, &entry};
  }
  return found;
}
