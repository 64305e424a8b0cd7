#pragma once
// The single bytes of the device's protocols, by their ASCII names: the
// handshake's attention byte, the download's reply to each packet, and the
// boot loader's prompt, sync and replies to each record. One byte may serve
// several protocols (ACK and NAK do), so each is named once here.

#include <cstdint>

constexpr std::uint8_t PROTO_ETX = 0x03;  // control-C: the handshake's attention byte
constexpr std::uint8_t PROTO_ENQ = 0x05;  // the boot loader's prompt
constexpr std::uint8_t PROTO_ACK = 0x06;  // packet, sync, identifier or record accepted
constexpr std::uint8_t PROTO_CR = 0x0D;   // ends a record line; wakes the device's prompt
constexpr std::uint8_t PROTO_DC1 = 0x11;  // record refused: no start character
constexpr std::uint8_t PROTO_DC2 = 0x12;  // record refused: bad record checksum
constexpr std::uint8_t PROTO_NAK = 0x15;  // packet to be sent again; record refused: validation
constexpr std::uint8_t PROTO_SYN = 0x16;  // the utility's sync to the boot loader
constexpr std::uint8_t PROTO_ETB = 0x17;  // record refused: buffer full, the upload ends
constexpr std::uint8_t PROTO_CAN = 0x18;  // record refused: fatal, the upload ends
