// The stand-in device's costs. In-process: the wall time of a whole 100-rule
// download against the model (virtual time is free), and the line time that
// download would take at 9600 baud when paced. Over a pseudo-terminal: the
// round trip of a CR and the prompt through the real ktreva-emu program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "serial/port_names.h"
#include "serial/serial.h"
#include "support/emu/host_side.h"

namespace {

// conf command, the record, rules command for 100 rules, 47 data packets, finish.
std::vector<std::string> download_packets() {
  std::vector<std::string> packets;
  packets.push_back(
      make_packet(std::string("conf\0\0\0\0\0\0\0\0"
                              "56\0\0\0",
                              17)));
  packets.push_back(make_packet(std::string(56, 'c')));
  packets.push_back(
      make_packet(std::string("rules\0\0\0\0\0\0\0"
                              "2800\0",
                              17)));
  for (int left = 2800; left > 0; left -= 60)
    packets.push_back(make_packet(std::string(std::min(left, 60), 'r')));
  packets.push_back(
      make_packet(std::string("-cestfini-\0\0"
                              "\0\0\0\0\0",
                              17)));
  return packets;
}

void BM_InProcessDownload100Rules(benchmark::State& state) {
  const std::vector<std::string> packets = download_packets();
  EmuOptions options;
  options.pace = state.range(0) != 0;
  double line_seconds = 0;
  for (auto _ : state) {
    HostSide host(options);
    host.greeting();
    host.exchange("\x03", 100);
    host.read(1024, 100);
    host.write("download\r\n");
    host.read(64, 10);
    const auto start = host.bench.elapsed();
    for (const std::string& p : packets) {
      if (host.exchange(p) != "ACK") state.SkipWithError("a packet was refused");
    }
    line_seconds = std::chrono::duration<double>(host.bench.elapsed() - start).count();
  }
  state.counters["packets"] = static_cast<double>(packets.size());
  state.counters["virtual_s"] = line_seconds;
}
BENCHMARK(BM_InProcessDownload100Rules)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A CR and the prompt's 8 bytes through ktreva-emu on a pseudo-terminal at 57600.
void BM_PtyPromptRoundTrip(benchmark::State& state) {
  int out[2];
  int in[2];
  if (pipe(out) != 0 || pipe(in) != 0) return state.SkipWithError("pipe");
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, in[0], 0);
  posix_spawn_file_actions_adddup2(&files, out[1], 1);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&files, in[1]);
  posix_spawn_file_actions_addclose(&files, out[0]);
  char* argv[] = {const_cast<char*>(KTREVA_EMU_PATH), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, KTREVA_EMU_PATH, &files, nullptr, argv, environ) != 0) {
    return state.SkipWithError("spawn");
  }
  close(out[1]);
  close(in[0]);
  std::string path;
  for (char c = 0; read(out[0], &c, 1) == 1 && c != '\n';) path += c;
  Console con("");
  PortHandle port;
  PortEnv env;
  env.names.map(("9=" + path).c_str());
  std::uint8_t buf[1024];
  if (open_port(con, port, "COM9", 57600, env) != OpenPortResult::kOk)
    return state.SkipWithError("open");
  read_port(con, port, "COM9", buf, sizeof buf, 1000);  // ENQ and greeting
  for (auto _ : state) {
    write_port(con, port, "COM9", "\r", 1);
    if (read_port(con, port, "COM9", buf, 8, 1000) != 8) state.SkipWithError("no prompt");
  }
  port.close();
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(out[0]);
  close(in[1]);
}
BENCHMARK(BM_PtyPromptRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
