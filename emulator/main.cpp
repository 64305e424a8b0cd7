// ktreva-emu: a stand-in kTrevaNodi on a pseudo-terminal.
#include <sys/prctl.h>

#include <cstdio>
#include <string>

#include "emu_cli.h"
#include "pty_driver.h"

int main(int argc, char** argv) {
  EmuCli cli;
  std::string error;
  if (parse_emu_args(argc, argv, cli, error) != 0) {
    std::fprintf(stderr, "ktreva-emu: %s\nTry 'ktreva-emu --help'.\n", error.c_str());
    return 2;
  }
  if (cli.help) {
    std::fputs(emu_usage().c_str(), stdout);
    return 0;
  }
  // A paced line wakes the emulator for every byte it sends; the kernel's
  // default timer slack (50 us) would add up over a transfer.
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  std::FILE* log = stderr;
  if (!cli.log_path.empty() && (log = std::fopen(cli.log_path.c_str(), "w")) == nullptr) {
    std::perror(("ktreva-emu: " + cli.log_path).c_str());
    return 2;
  }
  const int status = PtyDriver(cli, log).run();
  if (log != stderr) std::fclose(log);
  return status;
}
