#pragma once
// What the download receiver got in one download: every frame read (resends
// and garbled frames included) with the reply given, and the data that the
// accepted packets carried, sorted by the command packet that announced it.

#include <cstdint>
#include <string>
#include <vector>

#include "emu_faults.h"

struct ReceivedPacket {
  std::vector<std::uint8_t> bytes;  // as read, length and CRC included
  bool crc_ok = false;              // a whole packet whose CRC checks
  Reply reply;                      // SILENCE when none was sent
};

struct DownloadRecord {
  std::vector<ReceivedPacket> packets;
  std::vector<std::uint8_t> conf;   // data after "conf"
  std::vector<std::uint8_t> rules;  // data after "rules"
  int conf_size = -1;               // the sizes announced; -1 before the command
  int rules_size = -1;
  bool finished = false;  // the finish packet was accepted
  int unexpected = 0;     // accepted packets that fit nowhere

  // Takes the payload of an accepted packet; returns a few words for the log.
  std::string accept(const std::vector<std::uint8_t>& packet);

 private:
  std::string accept_command(const std::vector<std::uint8_t>& packet);
  bool into_rules_ = false;  // which data the data packets carry
  int remaining_ = 0;
};

constexpr int CMD_PACKET_LEN = 21;
