#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/line_editor.h"
#include "device/version.h"
#include "release_version.h"
#include "shell/file_check.h"
#include "shell/host_options.h"
#include "shell/line_completion.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  // Unbuffered, so that a prompt without a line break shows at once.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  HostOptions options;
  const std::string problem = parse_host_options(argc, argv, options);
  if (!problem.empty()) {
    std::fprintf(stderr, "ktreva-host: %s\n", problem.c_str());
    print_usage(stderr);
    return 2;
  }
  if (options.help) {
    print_usage(stdout);
    return 0;
  }
  if (options.version) {
    std::printf("ktreva-host %s (%s PC Host Utility %s)\n", KTREVA_RELEASE, KTREVA_PRODUCT,
                KTREVA_VERSION);
    return 0;
  }
  Console console;
  Shell shell(console);
  if (options.offline()) return run_file_check(shell, options);
  shell.stop_on_error = options.stop_on_error;
  console.use_line_editor(terminal_line_editor(complete_command_line));
  return shell_main(shell);
}
