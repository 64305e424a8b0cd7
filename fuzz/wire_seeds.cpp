// Writes the seed corpora of the wire targets: what each read got in a good
// session with the stand-in device and in each of its fault forms, as the
// script the fuzz device plays back (wire_fuzz.h). From the source root:
//   build/default/fuzz/wire_seeds fuzz/corpus
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device/dev_connect.h"
#include "device/dwn_download.h"
#include "device/protocol_bytes.h"
#include "emu_bench.h"
#include "firmware/firmware.h"
#include "wire_fuzz.h"

namespace {

// The model's port, each read's outcome written down while `on`.
class Recorder final : public PortDevice {
 public:
  Recorder(std::unique_ptr<PortDevice> port, std::string& script, const bool& on)
      : port_(std::move(port)), script_(script), on_(on) {}
  PropsFailure get_properties(CommCaps& caps) override { return port_->get_properties(caps); }
  bool get_state(PortDcb& dcb) override { return port_->get_state(dcb); }
  bool set_state(const PortDcb& dcb) override { return port_->set_state(dcb); }
  bool set_timeouts(const PortTimeouts& t) override { return port_->set_timeouts(t); }
  bool write(const void* buf, int count, int& written) override {
    return port_->write(buf, count, written);
  }
  void purge() override { port_->purge(); }
  bool read(unsigned char* buf, int size, int& got) override {
    const bool ok = port_->read(buf, size, got);
    if (!on_) return ok;
    if (!ok || got == 0) {
      script_ += static_cast<char>(ok ? WIRE_SILENT : WIRE_FAIL);
    } else {
      const int n = std::min(got, 256);  // enough for a seed
      script_ += static_cast<char>(WIRE_DATA);
      script_ += static_cast<char>(n - 1);
      script_.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
    }
    return ok;
  }

 private:
  std::unique_ptr<PortDevice> port_;
  std::string& script_;
  const bool& on_;
};

struct Session {
  Session(std::vector<Fault> faults, std::string header, std::string input = "")
      : bench(EmuOptions{.faults = std::move(faults)}),
        con(std::move(input)),
        script(std::move(header)) {
    link.env = bench.env();
    std::strcpy(link.port_name, "COM1");
    link.env.open_device = [this, open = link.env.open_device](const char* path) {
      std::unique_ptr<PortDevice> port = open(path);
      return port ? std::make_unique<Recorder>(std::move(port), script, recording) : nullptr;
    };
  }
  // Records `command` into `dir`/`name`.
  template <typename Command>
  void record(const std::string& dir, const char* name, Command command) {
    recording = true;
    try {
      command();
    } catch (const WireFatal&) {
    }
    std::ofstream(dir + "/" + name, std::ios::binary) << script;
  }
  void connect() { dev_connect(link, 9600, ConnectMode::kConnect); }

  EmuBench bench;
  Console con;
  Link link{con};
  std::string script;
  bool recording = false;
};

// Rate 9600, the mode, the rule count; no write fails.
std::string header(bool baud_change, int rules = 0) {
  return {static_cast<char>(baud_change ? 0x81 : 0x01), static_cast<char>(rules), '\0'};
}

using Forms = std::vector<std::pair<const char*, std::vector<Fault>>>;

void connect_seeds(const std::string& dir) {
  const Forms forms = {{"good", {}},
                       {"other_version", {greeting(GreetingVariant::kOtherVersion)}},
                       {"no_name", {greeting(GreetingVariant::kNoName)}},
                       {"version_first", {greeting(GreetingVariant::kVersionFirst)}},
                       {"nul_and_ff", {greeting(GreetingVariant::kNulAndFf)}},
                       {"short", {greeting(GreetingVariant::kShort)}},
                       {"wrong_rate", {connected_rate(19200)}},
                       {"hang_up", {hang_up(HangUpAt::kAtAttention)}}};
  for (const auto& [name, faults] : forms) {
    Session s(faults, header(false));
    s.record(dir, name, [&] { s.connect(); });
  }
  for (const auto& [name, faults] :
       Forms{{"baud_good", {}}, {"baud_no_prompt", {no_prompt_after_host()}}}) {
    Session s(faults, header(true));
    s.connect();
    s.link.write_text("host 9600\r");
    s.record(dir, name, [&] { dev_connect(s.link, 9600, ConnectMode::kBaudChange); });
  }
}

void download_seeds(const std::string& dir) {
  const std::vector<std::uint8_t> conf(56, 0x11);
  const std::vector<std::uint8_t> rules(std::size_t{3} * 28, 0x22);
  const Forms forms = {{"good", {}},
                       {"nak_four_times", {nak_packet(2, 4)}},
                       {"nak_five_times", {nak_packet(1, 5)}},
                       {"bad_reply", {packet_replies(3, {0x00})}},
                       {"silence", {packet_replies(4, {SILENCE})}},
                       {"hang_up", {hang_up(HangUpAt::kAtPacket, 2)}}};
  for (const auto& [name, faults] : forms) {
    Session s(faults, header(false, 3));
    s.connect();
    s.record(dir, name, [&] { dwn_download(s.link, conf, rules); });
  }
  Session s({}, header(false, 0));
  s.connect();
  s.record(dir, "no_rules", [&] { dwn_download(s.link, conf, {}); });
}

void firmware_seeds(const std::string& dir) {
  const ReplyScript ten_naks(10, PROTO_NAK);
  const Forms forms = {{"good", {}},
                       {"no_enq", {no_enq()}},
                       {"no_sync", {sync_replies({PROTO_NAK})}},
                       {"ident_silent", {ident_replies({SILENCE})}},
                       {"refusals", {record_replies(2, {SILENCE, 0x11, 0x12, 0x7F})}},
                       {"ten_refusals", {record_replies(1, ten_naks)}},
                       {"buffer_full", {record_replies(2, {0x17})}},
                       {"fatal", {record_replies(3, {0x18})}},
                       {"hang_up", {hang_up(HangUpAt::kAtRecord, 2)}}};
  for (const auto& [name, faults] : forms) {
    Session s(faults, header(false), "\n");
    s.record(dir, name, [&] { firmware(s.link, 1, wire_firmware_path()); });
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wire_seeds CORPUS_DIR\n");
    return 2;
  }
  set_read_fatal_end([] { throw WireFatal{}; });
  const std::string dir = argv[1];
  connect_seeds(dir + "/connect_fuzz");
  download_seeds(dir + "/download_fuzz");
  firmware_seeds(dir + "/firmware_fuzz");
  return 0;
}
