#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "console/console.h"
#include "console/interrupts.h"
#include "console/line_editor.h"
#include "device/version.h"
#include "port_list/port_check.h"
#include "port_list/port_list.h"
#include "port_list/port_list_text.h"
#include "port_list/port_obstacles.h"
#include "release_version.h"
#include "shell/file_check.h"
#include "shell/host_options.h"
#include "shell/line_completion.h"
#include "shell/session_files.h"
#include "shell/shell.h"

// --list-ports: the list on standard output, or why there is none.
static int print_port_list() {
  const PortListing listing = list_ports();
  if (!listing.problem.empty()) {
    std::fprintf(stderr, "ktreva-host: %s\n", listing.problem.c_str());
    return STATUS_FAILED;
  }
  std::fputs(port_list_text(listing).c_str(), stdout);
  return 0;
}

// The advice after a port that would not open is for a terminal only.
static bool stdout_is_terminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdout)) != 0;
#else
  return isatty(STDOUT_FILENO) != 0;
#endif
}

// Ctrl-C ended the session: the port is released and both session files
// say so in their last line.
static int end_interrupted(Shell& shell, WireTrace* trace) {
  shell.con.error("\nktreva-host: interrupted by Ctrl-C; the port is released, the session ends\n");
  shell.link.close();
  if (trace != nullptr) trace->event("interrupted by Ctrl-C, the session ends");
  return STATUS_INTERRUPTED;
}

// The prompt, the questions and Ctrl-C on a terminal; a piped session reads
// plain lines and keeps the system's Ctrl-C.
static void attach_terminal(Console& console) {
  console.use_line_editor(terminal_line_editor(complete_command_line));
  take_over_interrupts(console);
}

int main(int argc, char** argv) {
  // Unbuffered, so that a prompt without a line break shows at once.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  HostOptions options;
  const std::string problem = parse_host_options(argc, argv, options);
  if (!problem.empty()) {
    std::fprintf(stderr, "ktreva-host: %s\n", problem.c_str());
    print_usage(stderr);
    return STATUS_USAGE;
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
  if (options.list_ports) return print_port_list();
  if (!options.port_check.empty()) {
    Console console;
    PortEnv env;
    env.names = options.port_names;
    return static_cast<int>(port_check(console, options.port_check, env));
  }
  // Before the shell: a port still open at exit is closed, and traced, as
  // the shell goes.
  SessionFiles files;
  Console console;
  Shell shell(console);
  if (options.offline()) return run_file_check(shell, options);
  const std::string unopened = open_session_files(options, files);
  if (!unopened.empty()) {
    std::fprintf(stderr, "ktreva-host: %s\n", unopened.c_str());
    return STATUS_USAGE;
  }
  console.set_log(files.log.get(), options.log_path);
  if (files.trace != nullptr) {
    files.trace->on_failure(options.trace_path, [&console](const std::string& text) {
      console.error("%s", text.c_str());
    });
  }
  shell.link.env.names = options.port_names;
  shell.link.env.trace = files.trace.get();
  // Piped sessions stay as they were, byte for byte.
  if (stdout_is_terminal()) shell.link.env.open_advice = port_open_advice;
  shell.stop_on_error = options.stop_on_error;
  attach_terminal(console);
  try {
    return shell_main(shell);
  } catch (const Interrupted&) {
    return end_interrupted(shell, files.trace.get());
  }
}
