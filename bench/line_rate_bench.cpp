// How close the download and the firmware upload come to the serial line's
// own speed, against ktreva-emu --pace on a pseudo-terminal: each run's wall
// time divided by the time its bytes take on the line (10 bits a byte, both
// directions). With a latency, the emulator holds its replies back as a USB
// serial adapter's latency timer does (ktreva-emu --usb-latency-ms); with a
// TRACE-FILE, the link writes its wire trace there. Run by hand:
//   build/default/bench/ktreva_line_rate_bench [download-runs] [upload-runs] [usb-latency-ms]
//   [TRACE-FILE]
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/dev_connect.h"
#include "device/dwn_download.h"
#include "device/link.h"
#include "firmware/firmware_upload.h"
#include "serial/port_names.h"
#include "serial/wire_trace.h"
#include "support/hex_records.h"

namespace {

using Clock = std::chrono::steady_clock;

double line_seconds(double bytes, double rate) { return bytes * 10.0 / rate; }

struct Emulator {
  explicit Emulator(int usb_latency_ms) {
    std::string latency = "--usb-latency-ms=" + std::to_string(usb_latency_ms);
    int out[2];
    if (pipe(out) != 0) std::exit(1);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, out[1], 1);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&files, out[0]);
    char* argv[] = {const_cast<char*>(KTREVA_EMU_PATH), const_cast<char*>("--pace"),
                    const_cast<char*>("--no-stdin"), latency.data(), nullptr};
    if (posix_spawn(&pid, KTREVA_EMU_PATH, &files, nullptr, argv, environ) != 0) std::exit(1);
    close(out[1]);
    for (char c = 0; read(out[0], &c, 1) == 1 && c != '\n';) path += c;
    close(out[0]);
  }
  ~Emulator() {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  pid_t pid = 0;
  std::string path;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// "download\r\n", the drain, 51 packets of a 100-rule download and their replies.
void bench_download(Link& link, int runs) {
  const Console& con = link.con();
  if (dev_connect(link, 57600, ConnectMode::kConnect) != ConnectResult::kConnected) {
    std::fprintf(stderr, "connect failed:\n%s", con.output().c_str());
    std::exit(1);
  }
  const std::vector<std::uint8_t> conf(56, 0x11);
  const std::vector<std::uint8_t> rules(2800, 0x22);
  const double packet_bytes = 21 + 60 + 21 + (2800 + 47 * 4) + 21;
  const double bound = line_seconds(10 + packet_bytes + 51, 57600) + 0.010;
  std::vector<double> ratios;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    if (dwn_download(link, conf, rules) != DownloadResult::kOk) std::exit(1);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    ratios.push_back(took / bound);
    std::printf("download 100 rules at 57600: %.4f s, line bound %.4f s, ratio %.4f\n", took, bound,
                took / bound);
  }
  std::printf("download median ratio %.4f (target at most 1.03)\n", median(ratios));
  link.close();
}

bool reply_is_ack(Link& link, std::uint32_t timeout_ms) {
  std::array<std::uint8_t, 1> b{};
  return link.read(b, timeout_ms) == 1 && b[0] == 0x06;
}

// From the SYN to the last record's reply, as the upload runs it.
void bench_upload(Link& link, int runs) {
  // A 64 KiB image; each line's LF stands for the CR sent.
  const std::string hex = hex_records(0x10000 / 16);
  const std::size_t record_bytes = hex.size();
  const double records = 4097;
  const double bound = line_seconds(1 + 9 + static_cast<double>(record_bytes) + records + 2, 19200);
  std::vector<double> ratios;
  for (int i = 0; i < runs; ++i) {
    const Console& con = link.con();
    std::FILE* file = fmemopen(const_cast<char*>(hex.data()), hex.size(), "r");
    std::array<std::uint8_t, 64> scratch{};
    if (link.open(19200) != OpenPortResult::kOk || !link.drain(scratch, 100)) std::exit(1);
    link.read(std::span(scratch).first(1), 20000);  // the boot loader's ENQ
    const auto start = Clock::now();
    link.write(std::array<std::uint8_t, 1>{0x16});
    const bool synced = reply_is_ack(link, 200);
    link.write_text("kTNoDi1.0");
    if (!synced || !reply_is_ack(link, 5000) ||
        firmware_upload(link, file, 4097) != FirmwareResult::kOk) {
      std::fprintf(stderr, "upload failed:\n%s", con.output().c_str());
      std::exit(1);
    }
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::fclose(file);
    link.close_port();
    ratios.push_back(took / bound);
    std::printf(
        "upload 64 KiB in 16-byte records at 19200: %.3f s, line bound %.3f s, ratio %.4f\n", took,
        bound, took / bound);
  }
  if (!ratios.empty())
    std::printf("upload median ratio %.4f (target at most 1.02)\n", median(ratios));
}

}  // namespace

int main(int argc, char** argv) {
  const int download_runs = argc > 1 ? std::atoi(argv[1]) : 5;
  const int upload_runs = argc > 2 ? std::atoi(argv[2]) : 1;
  const int usb_latency_ms = argc > 3 ? std::atoi(argv[3]) : 0;
  std::printf("ktreva-emu --pace --usb-latency-ms %d\n", usb_latency_ms);
  Emulator emu(usb_latency_ms);
  Console con("");
  Link link(con);
  link.env.names.map(("1=" + emu.path).c_str());
  std::strcpy(link.port_name, "COM1");
  std::unique_ptr<WireTrace> trace;
  if (argc > 4) {
    FilePtr file(std::fopen(argv[4], "wb"));
    if (file == nullptr) return 1;
    trace = std::make_unique<WireTrace>(std::move(file));
    link.env.trace = trace.get();
  }
  if (download_runs > 0) bench_download(link, download_runs);
  if (upload_runs > 0) bench_upload(link, upload_runs);
  return 0;
}
