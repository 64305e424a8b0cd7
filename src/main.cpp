#include <cstdio>
#include <cstring>
#include <string>

#include "console/console.h"
#include "device/version.h"
#include "release_version.h"
#include "serial/port_names.h"
#include "shell/shell.h"

namespace {

void print_usage(std::FILE* out) {
  std::fprintf(out,
               "usage: ktreva-host [--help] [--version] [--com N=PATH]...\n"
               "Reads commands at the Command> prompt; type help there for the list.\n"
               "  --com N=PATH  open port COMN as the device PATH (N 1..10; repeatable)\n");
}

int usage_error(const std::string& problem) {
  std::fprintf(stderr, "ktreva-host: %s\n", problem.c_str());
  print_usage(stderr);
  return 2;
}

// The value of --com, given as the next word or after "=". Null when missing.
const char* com_value(int argc, char** argv, int& i) {
  if (std::strncmp(argv[i], "--com=", 6) == 0) return argv[i] + 6;
  return i + 1 < argc ? argv[++i] : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // Unbuffered, so that a prompt without a line break shows at once.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      print_usage(stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ktreva-host %s (%s PC Host Utility %s)\n", KTREVA_RELEASE, KTREVA_PRODUCT,
                  KTREVA_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--com") == 0 || std::strncmp(argv[i], "--com=", 6) == 0) {
      const char* value = com_value(argc, argv, i);
      if (value == nullptr) return usage_error("--com needs a value N=PATH");
      if (!port_names_map(value)) {
        return usage_error(format_text("bad --com value: %s (expected N=PATH, N 1..10)", value));
      }
      continue;
    }
    return usage_error(format_text("unknown option: %s", argv[i]));
  }
  Console console;
  Shell shell(console);
  return shell_main(shell);
}
