// Verifying a firmware file of 1 MiB of data: 16-byte records as objcopy
// writes them, or 32-byte ones as srec_cat can, with an extended linear
// address record every 64 KiB. Bytes per second count the data; the file's
// own rate is the counter file_bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "firmware/inhexverify.h"
#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

constexpr std::size_t DATA_BYTES = 1 << 20;

void append_record(std::string& out, std::uint8_t type, std::uint16_t address,
                   const std::uint8_t* data, std::size_t n) {
  char field[3];
  unsigned sum = static_cast<unsigned>(n) + (address >> 8) + (address & 0xFF) + type;
  std::snprintf(field, sizeof field, "%02X", static_cast<unsigned>(n));
  out += ':';
  out += field;
  std::snprintf(field, sizeof field, "%02X", address >> 8);
  out += field;
  std::snprintf(field, sizeof field, "%02X", address & 0xFF);
  out += field;
  std::snprintf(field, sizeof field, "%02X", type);
  out += field;
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(field, sizeof field, "%02X", data[i]);
    out += field;
    sum += data[i];
  }
  std::snprintf(field, sizeof field, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
  out += field;
  out += '\n';
}

std::string make_hex(std::size_t record_bytes) {
  std::string out;
  std::uint8_t data[32];
  unsigned x = 1;
  for (std::size_t at = 0; at < DATA_BYTES; at += record_bytes) {
    if (at % 0x10000 == 0) {
      const std::uint8_t upper[2] = {static_cast<std::uint8_t>(at >> 24),
                                     static_cast<std::uint8_t>(at >> 16)};
      append_record(out, 4, 0, upper, 2);
    }
    for (std::size_t i = 0; i < record_bytes; ++i) data[i] = (x = x * 1103515245u + 12345u) >> 16;
    append_record(out, 0, static_cast<std::uint16_t>(at), data, record_bytes);
  }
  append_record(out, 1, 0, nullptr, 0);
  return out;
}

void BM_Inhexverify(benchmark::State& state) {
  const std::string text = make_hex(static_cast<std::size_t>(state.range(0)));
  ScratchDir dir;
  const FilePtr file = open_text_file(dir.write("fw.hex", text).c_str());
  Console con("");
  for (auto _ : state) {
    const int records = inhexverify(con, file.get());
    if (records < 1) state.SkipWithError("the generated file does not verify");
    benchmark::DoNotOptimize(records);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DATA_BYTES));
  state.counters["file_bytes"] =
      benchmark::Counter(static_cast<double>(text.size()) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1024);
}
BENCHMARK(BM_Inhexverify)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
