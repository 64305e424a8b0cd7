#pragma once
// The download's packets. Every packet is its length (2 bytes, high first),
// a payload of at least one byte, and the CRC-16 (2 bytes, high first):
//
//   command packet, 21 bytes: name (12 bytes, zero-filled), size as decimal
//   text (5 bytes, zero-filled; all zero in the finish packet);
//   data packet, 5..64 bytes: 1..60 bytes of the data being sent.
//
// The device answers each packet with one byte, PROTO_ACK or PROTO_NAK
// (device/protocol_bytes.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

constexpr std::size_t PKT_MIN_SIZE = 5;
constexpr std::size_t CMD_PKT_SIZE = 21;
constexpr std::size_t CMD_NAME_AT = 2;
constexpr std::size_t CMD_NAME_SIZE = 12;
constexpr std::size_t CMD_SIZE_AT = 14;
constexpr std::size_t CMD_SIZE_SIZE = 5;
constexpr std::size_t DATA_CHUNK_MAX = 60;
constexpr std::size_t DATA_PKT_MAX = DATA_CHUNK_MAX + 4;

using CommandPacket = std::array<std::uint8_t, CMD_PKT_SIZE>;

// A command packet with its payload in place and its framing still zero.
// Texts longer than their fields are cut to them.
CommandPacket command_packet(std::string_view name, std::string_view size_text);

// Writes the length and the CRC of a packet whose payload is in place; a
// packet shorter than 5 bytes is left as it is.
void seal_packet(std::span<std::uint8_t> pkt);

// Whether a received packet's CRC holds: the register over all of it ends at 0.
bool packet_crc_ok(std::span<const std::uint8_t> pkt);
