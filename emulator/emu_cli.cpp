#include "emu_cli.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "fault_forms.h"

namespace {

const char USAGE[] =
    "Usage: ktreva-emu [OPTION]...\n"
    "A stand-in kTrevaNodi on a pseudo-terminal. The first line on standard output\n"
    "is the terminal's slave path (a new line for each new terminal); open it as\n"
    "the device's port. Each open is a host session: the device powers on, sends\n"
    "ENQ for its boot loader, then its greeting, answers the attention byte,\n"
    "host and download commands, download packets and firmware record lines.\n"
    "A line \"power\" on standard input powers it on again; end of input,\n"
    "SIGINT or SIGTERM ends the program.\n"
    "\n"
    "  --link PATH          make PATH a symlink to the slave (removed at exit)\n"
    "  --log PATH           session log to PATH instead of standard error\n"
    "  --dump PATH          after each download or upload, write what came to PATH\n"
    "                       (configuration and rules decoded, or the firmware image)\n"
    "  --wire PATH          every byte of each session to PATH in hex, a line for each\n"
    "                       read (\"host\") and write (\"device\")\n"
    "  --power-on-ms N      power on N ms after the host opens the port (400);\n"
    "                       -1: only on a \"power\" line\n"
    "  --enq-wait-ms N      the boot loader's wait for SYN after ENQ (200)\n"
    "  --resync-ms N        quiet gap that ends a garbled download frame (50)\n"
    "  --pace               behave like a line at the port's speed: 10 bits a byte\n"
    "  --turnaround-us N    with --pace, a fixed delay before each reply (0)\n"
    "  --usb-latency-ms N   a USB adapter's latency timer: the device's bytes reach\n"
    "                       the host N ms after the first of them, or at once when\n"
    "                       62 are waiting (0: none)\n"
    "  --fault FAULT        commit a fault (repeatable; forms below)\n"
    "  --no-stdin           do not read standard input\n"
    "  --help               this text\n"
    "\n";

bool count_value(const std::string& text, long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && errno == 0 && *end == '\0' && value >= 0 && value <= 86'400'000L;
}

// Options that take a number: milliseconds or microseconds into the options.
bool timing_option(const std::string& name, const std::string& value, EmuOptions& o, bool& ok) {
  long n = 0;
  ok = count_value(value, n);
  if (name == "--power-on-ms" && value == "-1") {
    o.power_on = std::chrono::milliseconds(-1);
    ok = true;
  } else if (name == "--power-on-ms") {
    o.power_on = std::chrono::milliseconds(n);
  } else if (name == "--enq-wait-ms") {
    o.enq_wait = std::chrono::milliseconds(n);
  } else if (name == "--resync-ms") {
    o.resync_gap = std::chrono::milliseconds(n);
  } else if (name == "--turnaround-us") {
    o.turnaround = std::chrono::microseconds(n);
  } else if (name == "--usb-latency-ms") {
    o.usb_latency = std::chrono::milliseconds(n);
  } else {
    return false;
  }
  return true;
}

int valued_option(const std::string& name, const std::string& value, EmuCli& cli,
                  std::string& error) {
  bool ok = true;
  if (name == "--link") {
    cli.link_path = value;
  } else if (name == "--log") {
    cli.log_path = value;
  } else if (name == "--dump") {
    cli.dump_path = value;
  } else if (name == "--wire") {
    cli.wire_path = value;
  } else if (name == "--fault") {
    Fault f;
    if (!parse_fault(value, f, error)) return -1;
    cli.options.faults.push_back(f);
  } else if (!timing_option(name, value, cli.options, ok)) {
    error = "unknown option '" + name + "'";
    return -1;
  }
  if (ok && !value.empty()) return 0;
  error = "bad value '" + value + "' for " + name;
  return -1;
}

}  // namespace

int parse_emu_args(int argc, const char* const* argv, EmuCli& cli, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    if (name == "--help" || name == "-h") {
      cli.help = true;
    } else if (name == "--pace") {
      cli.options.pace = true;
    } else if (name == "--no-stdin") {
      cli.read_stdin = false;
    } else if (const std::size_t eq = name.find('='); eq != std::string::npos) {
      if (valued_option(name.substr(0, eq), name.substr(eq + 1), cli, error) != 0) return -1;
    } else if (i + 1 < argc) {
      if (valued_option(name, argv[++i], cli, error) != 0) return -1;
    } else {
      error = "unknown option or missing value: '" + name + "'";
      return -1;
    }
  }
  return 0;
}

std::string emu_usage() { return std::string(USAGE) + FAULT_FORMS_HELP; }
