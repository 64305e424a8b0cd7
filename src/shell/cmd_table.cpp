#include "shell/cmd_table.h"

#include "shell/actions.h"
#include "text/word_match.h"

namespace {

// An action as a handler: a command that did not do what it was asked has
// failed.
template <bool (*Action)(Shell&, WordSplitter&)>
LineResult handler(Shell& shell, WordSplitter& words) {
  return Action(shell, words) ? LineResult::kDone : LineResult::kFailed;
}

LineResult exit_handler(Shell&, WordSplitter&) { return LineResult::kExit; }

}  // namespace

const CmdEntry cmd_table[CMD_TABLE_SIZE] = {
    {1, CMD_HELP, "help", "", "Displays this summary (alias ?)", handler<action_help>},
    {0, CMD_HELP, "?", "", "Displays this summary", handler<action_help>},
    {1, CMD_REPEAT, ".", "", "Repeats the previous command", handler<action_repeat>},
    {1, CMD_ANGLES, "angles", "", "Displays the Angles format used for Lat and Lon",
     handler<action_angles>},
    {1, CMD_BAUD, "baud", "baud",
     "Changes the baud rates on host and kTrevaNodi\n\t\t\t\tonce connected. Default [ ]",
     handler<action_baud>},
    {1, CMD_CONFIGURE, "configure", "file_name", "Reads a Configuration file",
     handler<action_configure>},
    {1, CMD_DCONFIGURE, "dconfigure", "", "Displays the Configuration", handler<action_dconfigure>},
    {1, CMD_RULES, "rules", "file_name", "Reads a Rules file", handler<action_rules>},
    {1, CMD_DRULES, "drules", "", "Displays the Rules", handler<action_drules>},
    {1, CMD_CONNECT, "connect", "com_port [baud]",
     "Connect to kTrevaNodi at optional baud\n\t\t\t\t(8 bits No Parity 1 Stop)",
     handler<action_connect>},
    {1, CMD_DISCONNECT, "disconnect", "", "Disconnect from the kTrevaNodi",
     handler<action_disconnect>},
    {1, CMD_DOWNLOAD, "download", "", "Download Configuration and Rules to kTrevaNodi",
     handler<action_download>},
    {1, CMD_FIRMWARE, "firmware", "com_port file_name",
     "Update kTrevaNodi firmware from firmware file", handler<action_firmware>},
    {1, CMD_EXIT, "exit", "", "Exits this program (aliases quit, x)", exit_handler},
    {0, CMD_EXIT, "quit", "", "Same as exit", exit_handler},
    {0, CMD_EXIT, "x", "", "Same as exit", exit_handler},
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
