// The program's start-up to its end on one command, "x" (exit): input piped
// in, as scripts run it, and on a pseudo-terminal, where the line editor
// starts too and the command is typed at the prompt once it shows. Run by
// hand:
//   build/default/bench/ktreva_startup_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "support/run_program.h"
#include "support/terminal_program.h"

namespace {

const std::filesystem::path HERE = std::filesystem::temp_directory_path();

void BM_StartPiped(benchmark::State& state) {
  for (auto _ : state) {
    const RunResult run = run_program({KTREVA_HOST_PATH}, "x\n", HERE, 30);
    if (run.exit_status != 0) state.SkipWithError("the piped run failed");
  }
}
BENCHMARK(BM_StartPiped)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument 1: an xterm, with the line editor; 0: a terminal that the
// terminal database does not describe, read plainly, for comparison.
void BM_StartOnTerminal(benchmark::State& state) {
  const char* term = state.range(0) != 0 ? "xterm" : "no-such-term";
  for (auto _ : state) {
    TerminalProgram program({KTREVA_HOST_PATH}, HERE, term);
    if (!program.wait_for("Command> ", 30)) state.SkipWithError("no prompt");
    program.type("x\r");
    if (program.wait_exit(30) != 0) state.SkipWithError("the terminal run failed");
  }
}
BENCHMARK(BM_StartOnTerminal)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
