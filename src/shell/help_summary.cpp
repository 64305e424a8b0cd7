#include "shell/help_summary.h"

#include "shell/cmd_table.h"

namespace {

void print_rates_line(Console& con, std::uint32_t default_rate) {
  con.print("%-10s Valid Baud Rates:\t", "");
  for (std::uint32_t rate : baud_table) {
    con.print(rate == default_rate ? "[%ld] " : "%ld ", static_cast<long>(rate));
  }
  con.print("\n\n");
}

}  // namespace

void help_summary(Console& con, const ConfRec& conf) {
  const std::uint32_t default_rate = default_connect_baud(conf);
  con.print("\n\t\tCommand Summary:\n%-10s %-20s %s\n", "Command", "Arguments", "Comments");
  for (const CmdEntry& entry : cmd_table) {
    if (entry.in_help != 1) continue;
    con.print("%-10s %-20s %s\n", entry.name, entry.args, entry.comment);
    if (entry.code == CMD_BAUD) print_rates_line(con, default_rate);
  }
}
