#include "firmware/firmware.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "console/interrupts.h"
#include "device/link.h"
#include "device/protocol_bytes.h"
#include "firmware/firmware_upload.h"
#include "firmware/inhexverify.h"
#include "text/text_file.h"

namespace {

constexpr std::int32_t BOOT_LOADER_BAUD = 19200;
constexpr std::uint32_t DRAIN_TIMEOUT_MS = 100;
constexpr int PROMISED_MINUTES = 5;
constexpr long POWER_ON_SECONDS = 20;
constexpr std::uint32_t PROMPT_TIMEOUT_MS = 20000;
constexpr std::uint32_t SYNC_TIMEOUT_MS = 200;
constexpr std::uint32_t IDENT_TIMEOUT_MS = 5000;
constexpr const char* IDENT_NAME = "kTNoDi";
constexpr const char* IDENT_VERSION = "1.0";

// One byte of reply into rx_buf[0], 0 when nothing came.
std::uint8_t read_reply(Link& link, std::uint32_t timeout_ms) {
  link.rx_buf[0] = 0;
  link.read(link.rx().first(1), timeout_ms);
  return link.rx_buf[0];
}

// Empties the line, then has the operator confirm; end of input counts as
// Enter.
FirmwareResult prepare_line(Link& link) {
  Console& con = link.con();
  if (!link.drain(link.rx(), DRAIN_TIMEOUT_MS)) return FirmwareResult::kNeverQuiet;
  link.purge();
  con.print(
      "\n\a\aWARNING! The kTrevaNodi Firmware is about to be updated!\n"
      "This will take less than %d minutes.\n"
      "Do NOT interrupt the process once started!\n"
      "If power is interrupted during this process you may not be able\n"
      "to communicate with the kTrevaNodi due to firmware corruption.\n"
      "If this happens correct the power problem and restart this entire process.\n\n"
      "Type the Enter key when you are ready to continue...",
      PROMISED_MINUTES);
  con.read_line(reinterpret_cast<char*>(link.rx_buf), RX_BUF_SIZE);
  return FirmwareResult::kOk;
}

// ENQ from the powered-on boot loader, SYN answered by ACK.
FirmwareResult synchronise(Link& link) {
  Console& con = link.con();
  con.print(
      "\nTo begin TURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
      "\a\aYou have %ld seconds to do this...",
      POWER_ON_SECONDS);
  if (read_reply(link, PROMPT_TIMEOUT_MS) != PROTO_ENQ) {
    con.print("\n\a\aError: did not receive the kTrevaNodi Firmware prompt!\n");
    return FirmwareResult::kNoPrompt;
  }
  if (link.write(std::array{PROTO_SYN}) < 0) {
    con.print("\n\a\aError: wrote FIRMSYNC sync character, got error on port %s\n", link.port_name);
    return FirmwareResult::kSynNotWritten;
  }
  if (read_reply(link, SYNC_TIMEOUT_MS) != PROTO_ACK) {
    con.print("\n\a\aError: did not synchronize with the kTrevaNodi!\n");
    return FirmwareResult::kNoSync;
  }
  return FirmwareResult::kOk;
}

FirmwareResult identify(Link& link) {
  Console& con = link.con();
  char* ident = reinterpret_cast<char*>(link.rx_buf);
  std::snprintf(ident, RX_BUF_SIZE, "%s%s", IDENT_NAME, IDENT_VERSION);
  const std::string text = ident;  // the reply below overwrites rx_buf
  if (link.write_text(text) < 0) {
    con.print("\n\a\aError: wrote %s identifier, got error on port %s\n", text.c_str(),
              link.port_name);
    return FirmwareResult::kIdentNotWritten;
  }
  if (read_reply(link, IDENT_TIMEOUT_MS) != PROTO_ACK) {
    con.print("\n\a\aError: did not receive %s identifier acknowledgement!\n", IDENT_NAME);
    return FirmwareResult::kIdentNotAcked;
  }
  return FirmwareResult::kOk;
}

int unreadable_firmware(Console& con) {
  con.print("\a\aError: cannot read Firmware file!\n");
  return HEX_NO_RECORD;
}

// Everything after the port is open; the caller closes it.
FirmwareResult run_session(Link& link, std::FILE* file, std::uint32_t total) {
  FirmwareResult rc = prepare_line(link);
  if (rc != FirmwareResult::kOk) return rc;
  // Once the operator has gone ahead, a Ctrl-C could leave the device
  // without firmware: it only warns (twice in a row still ends the program).
  const InterruptPolicyScope hold(InterruptPolicy::kWarnOnly);
  rc = synchronise(link);
  if (rc == FirmwareResult::kOk) rc = identify(link);
  if (rc != FirmwareResult::kOk) return rc;
  link.con().print("\n\n");
  return firmware_upload(link, file, total);
}

}  // namespace

FirmwareResult firmware(Link& link, int port_number, const char* file_name) {
  Console& con = link.con();
  if (file_name == nullptr) {
    con.print("firmware: Error: param filename is invalid\n");
    return FirmwareResult::kNoFileName;
  }
  OpenStatus status = OpenStatus::kOpened;
  const FilePtr file = open_text_file(file_name, &status);
  if (status == OpenStatus::kCannotOpen) {
    con.print("\a\aError: cannot open %s\n", file_name);
    return FirmwareResult::kCannotOpen;
  }
  // A name that is no regular file (a FIFO, a device) reads as a file that
  // cannot be read.
  const int total = file ? inhexverify(con, file.get()) : unreadable_firmware(con);
  if (total < 1) {
    con.print("\a\aError: Firmware file has some kind of error!\n");
    return FirmwareResult::kVerifyFailed;
  }
  std::snprintf(link.port_name, sizeof link.port_name, "COM%d", port_number);
  if (link.open(BOOT_LOADER_BAUD) != OpenPortResult::kOk) {
    con.print("\a\aError: could not open COM port %s\n", link.port_name);
    return FirmwareResult::kPortNotOpened;
  }
  const FirmwareResult rc = run_session(link, file.get(), static_cast<std::uint32_t>(total));
  link.close_port();
  return rc;
}
