// The rules map written end to end, geography included: the example files,
// and a rules file whose areas span North America. Run by hand:
//   build/default/bench/ktreva_map_bench --benchmark_repetitions=5
// The counter "svg_bytes" is the size of the map written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_program.h"

namespace {

const std::filesystem::path HERE = std::filesystem::temp_directory_path();
const std::string EXAMPLES = std::string(KTREVA_SOURCE_DIR) + "/examples/";

// Areas from Alaska to Florida around the example station.
const char* const kContinent =
    "drop\timplicit\n"
    "pass\trectangle\tN 49d, W 125d, N 25d, W 67d\n"
    "pass\tcircle\t1500, 39:44:50, -104:59:22\n"
    "drop\tcircle\t300, 61:13:00, -149:54:00\n"
    "pass\tsector\t0d, 90d, 100, 2500\n";

void run_map(benchmark::State& state, const std::string& rules) {
  const std::string out = (HERE / "ktreva-map-bench.svg").string();
  for (auto _ : state) {
    const RunResult run = run_program(
        {KTREVA_HOST_PATH, "--map", out, "--config", EXAMPLES + "station.txt", "--rules", rules},
        "", HERE, 30);
    if (run.exit_status != 0) state.SkipWithError("the map was not written");
  }
  state.counters["svg_bytes"] = static_cast<double>(std::filesystem::file_size(out));
}

void BM_MapOfTheExamples(benchmark::State& state) { run_map(state, EXAMPLES + "filters.txt"); }
BENCHMARK(BM_MapOfTheExamples)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MapOfAContinent(benchmark::State& state) {
  const std::string rules = (HERE / "ktreva-map-bench-rules.txt").string();
  std::ofstream(rules) << kContinent;
  run_map(state, rules);
}
BENCHMARK(BM_MapOfAContinent)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
