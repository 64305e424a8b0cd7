#include <cstdio>
#include <cstring>

#include "console/console.h"
#include "device/version.h"
#include "shell/shell.h"

namespace {

void print_usage() {
  std::printf(
      "usage: ktreva-host [--help] [--version]\n"
      "Reads commands at the Command> prompt; type help there for the list.\n");
}

}  // namespace

int main(int argc, char** argv) {
  // Unbuffered, so that a prompt without a line break shows at once.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      print_usage();
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ktreva-host %s\n", KTREVA_VERSION);
      return 0;
    }
    std::fprintf(stderr, "ktreva-host: unknown option: %s\n", argv[i]);
    print_usage();
    return 2;
  }
  Console console;
  Shell shell(console);
  return shell_main(shell);
}
