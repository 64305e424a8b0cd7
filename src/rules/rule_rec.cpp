#include "rules/rule_rec.h"

#include <algorithm>

#include "config/le_bytes.h"

void rule_put_header(RuleRec& rec, std::uint8_t type, std::uint8_t flags, std::int16_t line) {
  rec[RULE_TYPE_AT] = type;
  rec[RULE_FLAGS_AT] = flags;
  put_le16(&rec[RULE_LINE_AT], static_cast<std::uint16_t>(line));
}

std::uint8_t rule_type(const RuleRec& rec) { return rec[RULE_TYPE_AT]; }

std::uint8_t rule_flags(const RuleRec& rec) { return rec[RULE_FLAGS_AT]; }

std::int16_t rule_line(const RuleRec& rec) {
  return static_cast<std::int16_t>(get_le16(&rec[RULE_LINE_AT]));
}

void rule_put_real(RuleRec& rec, std::size_t slot, float value) { put_le_float(&rec[slot], value); }

float rule_real(const RuleRec& rec, std::size_t slot) { return get_le_float(&rec[slot]); }

void rule_put_call(RuleRec& rec, std::string_view call) {
  const std::size_t n = std::min(call.size(), RULE_CALL_SIZE);
  for (std::size_t i = 0; i < RULE_CALL_SIZE; ++i) {
    rec[RULE_SLOT1 + i] = i < n ? static_cast<std::uint8_t>(call[i]) : 0;
  }
}

std::string rule_call(const RuleRec& rec) {
  std::string call;
  for (std::size_t i = 0; i < RULE_CALL_SIZE && rec[RULE_SLOT1 + i] != 0; ++i) {
    call.push_back(static_cast<char>(rec[RULE_SLOT1 + i]));
  }
  return call;
}

void rule_put_ssid(RuleRec& rec, std::uint8_t ssid) { rec[RULE_SLOT2] = ssid; }

std::uint8_t rule_ssid(const RuleRec& rec) { return rec[RULE_SLOT2]; }

void rule_put_dir(RuleRec& rec, std::uint8_t dir) { rec[RULE_SLOT1] = dir; }

std::uint8_t rule_dir(const RuleRec& rec) { return rec[RULE_SLOT1]; }
