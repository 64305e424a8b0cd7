#pragma once
// The stand-in kTrevaNodi as one state machine without I/O of its own. Its
// driver (the in-process bench, the pseudo-terminal program) hands it the
// host's bytes with the time they were written, tells it the time, and asks
// what it has sent by then and when it next needs to be woken:
//
//   model.receive(t, bytes);   // the host wrote these at t
//   model.advance(t);          // everything due by t happens
//   model.take_output(t, buf); // what has left the device by t
//   model.next_wake();         // when anything happens next, if ever
//
// The device: a host session (open_session) powers it on after
// `power_on`; the boot loader sends ENQ and waits `enq_wait` for SYN; without
// it the application starts and sends its greeting. The application answers
// the attention byte 0x03 with "\r\nConnected N\r\n" and the prompt, "host N\r"
// with the prompt, a bare CR with the prompt, and turns into the download
// receiver at "download\r"; any other line is ignored, nothing is echoed. The
// receiver answers each packet ACK or NAK until the finish packet, then the
// application carries on. After SYN the boot loader takes the identifier and
// record lines, each answered with one byte, until the end-of-file record,
// after which the application starts (greeting and all).
//
// A hang-up ends the session from the device's side: nothing more is sent
// or taken until the next open_session.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "download_record.h"
#include "emu_options.h"
#include "emu_time.h"
#include "packet_framer.h"
#include "upload_record.h"
#include "usb_latency.h"

enum class DeviceMode {
  kOff,          // no host session, or not yet powered on
  kBootWait,     // ENQ sent, waiting for SYN
  kBootIdent,    // synchronised, waiting for the identifier
  kBootRecords,  // identified, taking record lines
  kApplication,  // greeting sent, taking commands
  kDownload,     // taking download packets
  kHungUp,       // hung up; dead until the next session
};

enum class TransferKind { kDownload, kUpload };

class DeviceModel {
 public:
  using LogSink = std::function<void(EmuTime, const std::string&)>;
  using RateSource = std::function<std::uint32_t()>;
  using TransferHook = std::function<void(TransferKind)>;

  explicit DeviceModel(EmuOptions options = {});

  // One line per event: power-on, greeting, attention, packets, records...
  void set_log(LogSink sink) { log_ = std::move(sink); }
  // The port's current line speed: "Connected N" and the pacing use it.
  void set_rate_source(RateSource source) { rate_ = std::move(source); }
  // Called when a download or an upload has ended (finish packet, end-of-file).
  void set_on_transfer_end(TransferHook hook) { on_end_ = std::move(hook); }

  // The host opened the port at `now`: a new session, power-on to follow.
  void open_session(EmuTime now);
  // The host closed the port: the device goes quiet and drops what it held.
  void close_session(EmuTime now);
  // The operator powers the device on (again) at `now`.
  void power(EmuTime now);
  // The host wrote `bytes` at `now`; with pacing they arrive one line byte
  // time after another.
  void receive(EmuTime now, std::span<const std::uint8_t> bytes);
  // Runs every event due by `now`, in time order.
  void advance(EmuTime now);
  // The next instant at which something happens (input is taken, a timer
  // runs out, a byte leaves the device); none when all is still.
  std::optional<EmuTime> next_wake() const;
  // Moves up to out.size() bytes that have left the device by `now` to `out`.
  std::size_t take_output(EmuTime now, std::span<std::uint8_t> out);
  // Drops what has left the device by `now` and not been taken (a purge).
  void drop_output(EmuTime now);

  DeviceMode mode() const { return mode_; }
  bool hung_up() const { return mode_ == DeviceMode::kHungUp; }
  bool in_session() const { return attached_; }
  int session() const { return session_; }  // sessions begun, the current one
  int power_ons() const { return power_ons_; }
  const EmuOptions& options() const { return opt_; }

  // The current or last download; reset at each "download" line.
  const DownloadRecord& download() const { return download_; }
  // The current or last upload; reset at each SYN after an ENQ.
  const UploadRecord& upload() const { return upload_; }
  // Every N of a "host N" line, every byte the host sent: all sessions.
  const std::vector<std::uint32_t>& host_rates() const { return host_rates_; }
  const std::vector<std::uint8_t>& received() const { return received_; }

 private:
  struct TimedByte {
    EmuTime at;
    std::uint8_t byte;
  };

  std::optional<EmuTime> next_event() const;
  void run_event(EmuTime t);
  void on_byte(EmuTime t, std::uint8_t b);
  // Queues bytes for sending from `t`; returns when the last one has left.
  EmuTime send(EmuTime t, std::string_view bytes);
  void send_reply(EmuTime t, Reply reply);
  Reply scripted(FaultKind kind, int index, int transmission, Reply normal) const;
  const Fault* fault(FaultKind kind, int index = 0) const;
  bool hang_up_due(HangUpAt at, int index = 0) const;
  void hang_up(EmuTime t);
  void log(EmuTime t, const std::string& text) const;
  std::uint32_t line_rate() const { return rate_ ? rate_() : 0; }
  void quiet();

  void power_on(EmuTime t);
  void start_application(EmuTime t);
  void app_byte(EmuTime t, std::uint8_t b);
  void app_line(EmuTime t);
  void answer_attention(EmuTime t);
  void answer_host(EmuTime t);
  void send_prompt(EmuTime t);

  void download_byte(EmuTime t, std::uint8_t b);
  void download_frame(EmuTime t, std::vector<std::uint8_t> frame);
  void accept_packet(EmuTime t, const std::vector<std::uint8_t>& frame);

  void boot_byte(EmuTime t, std::uint8_t b);
  void answer_sync(EmuTime t);
  void answer_ident(EmuTime t);
  void record_line(EmuTime t);
  void accept_record(EmuTime t, const std::string& line);

  EmuOptions opt_;
  UsbLatency usb_;
  LogSink log_;
  RateSource rate_;
  TransferHook on_end_;

  DeviceMode mode_ = DeviceMode::kOff;
  bool attached_ = false;
  int session_ = 0;
  int power_ons_ = 0;

  std::deque<TimedByte> rx_;
  std::deque<TimedByte> tx_;
  EmuTime rx_free_{0};
  EmuTime tx_free_{0};
  std::optional<EmuTime> power_at_;
  std::optional<EmuTime> enq_until_;
  std::optional<EmuTime> hang_up_at_;

  std::string line_;  // a command line or a record line under way
  bool prompt_muted_ = false;
  bool skip_lf_ = false;
  PacketFramer framer_;
  // The packet or record due (acknowledgements + 1) and its transmissions.
  int due_ = 1;
  int due_tx_ = 0;
  int sync_tx_ = 0;
  int ident_tx_ = 0;
  std::string ident_;

  DownloadRecord download_;
  UploadRecord upload_;
  std::vector<std::uint32_t> host_rates_;
  std::vector<std::uint8_t> received_;
};

constexpr std::uint8_t DEV_ENQ = 0x05;
constexpr std::uint8_t DEV_ACK = 0x06;
constexpr std::uint8_t DEV_NAK = 0x15;
constexpr std::uint8_t DEV_SYN = 0x16;
constexpr std::uint8_t DEV_ATTENTION = 0x03;
constexpr char DEV_PROMPT[] = "kTreva> ";
