#pragma once
// One rule record as the device receives it: 28 bytes, little-endian, four
// 6-byte argument slots, then type, flags and the source line. Reals sit in
// the first 4 bytes of a slot, so two of them are not 4-byte aligned; every
// field is therefore written byte by byte into the array, never through a
// packed struct.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t RULE_REC_SIZE = 28;
constexpr int RULE_TABLE_SIZE = 100;
constexpr std::size_t RULE_CALL_SIZE = 6;

using RuleRec = std::array<std::uint8_t, RULE_REC_SIZE>;
static_assert(sizeof(RuleRec) == RULE_REC_SIZE);

// Offsets of the four argument slots and the trailing fields.
constexpr std::size_t RULE_SLOT1 = 0;
constexpr std::size_t RULE_SLOT2 = 6;
constexpr std::size_t RULE_SLOT3 = 12;
constexpr std::size_t RULE_SLOT4 = 18;
constexpr std::size_t RULE_TYPE_AT = 24;
constexpr std::size_t RULE_FLAGS_AT = 25;
constexpr std::size_t RULE_LINE_AT = 26;

// Rule kind codes (the record's type byte).
constexpr std::uint8_t RULE_IMPLICIT = 0x24;
constexpr std::uint8_t RULE_DESTIN = 0x25;
constexpr std::uint8_t RULE_SOURCE = 0x26;
constexpr std::uint8_t RULE_CIRCLE = 0x27;
constexpr std::uint8_t RULE_COMPASS = 0x28;
constexpr std::uint8_t RULE_RECTANGLE = 0x29;
constexpr std::uint8_t RULE_SECTOR = 0x2A;

// Action codes (low nibble of flags).
constexpr std::uint8_t ACT_DROP = 4;
constexpr std::uint8_t ACT_PASS = 8;
constexpr std::uint8_t ACT_MASK = 0x0F;

// Modifier bits (high nibble of flags); only the call-sign kinds set them.
constexpr std::uint8_t MOD_WILD = 0x10;
constexpr std::uint8_t MOD_ANY = 0x20;
constexpr std::uint8_t MOD_SSID = 0x40;
constexpr std::uint8_t MOD_MASK = 0xF0;

void rule_put_header(RuleRec& rec, std::uint8_t type, std::uint8_t flags, std::int16_t line);
std::uint8_t rule_type(const RuleRec& rec);
std::uint8_t rule_flags(const RuleRec& rec);
std::int16_t rule_line(const RuleRec& rec);

// A single-precision real in the first 4 bytes of a slot; the last 2 stay zero.
void rule_put_real(RuleRec& rec, std::size_t slot, float value);
float rule_real(const RuleRec& rec, std::size_t slot);

// The call sign, at most 6 characters, zero-filled; no terminator when full.
void rule_put_call(RuleRec& rec, std::string_view call);
std::string rule_call(const RuleRec& rec);

// One-byte values at the start of a slot: the SSID (slot 2), the compass
// direction code (slot 1).
void rule_put_ssid(RuleRec& rec, std::uint8_t ssid);
std::uint8_t rule_ssid(const RuleRec& rec);
void rule_put_dir(RuleRec& rec, std::uint8_t dir);
std::uint8_t rule_dir(const RuleRec& rec);
