#pragma once
// The keywords of a configuration file, walked in table order.

#include <cstddef>
#include <cstdint>

// Item codes share one numbering with the command codes of the command table,
// so no value means both an item and a command.
enum : std::uint32_t {
  CONF_GPS_BAUD = 2,
  CONF_TNC_BAUD = 3,
  CONF_HOST_BAUD = 4,
  CONF_CALL = 9,
  CONF_SSID = 10,
  CONF_POSITION = 11,
  CONF_WIDE_MAX = 14,
  CONF_WIDE_TOTAL = 15,
  CONF_HALT_ON_ERROR = 16,
  CONF_DROP_MANGLED = 17,
  CONF_FIX_VALID = 18,
  CONF_RELAY = 19,
  CONF_NSR = 20,
  CONF_NONAPRS = 21,
  CONF_HAVE_GPS = 27,
  CONF_LOG = 32,
  CONF_DUPE_WIN = 34,
};

struct ConfKeyword {
  const char* keyword;
  std::uint32_t item;
};

constexpr std::size_t CONF_KEYWORDS_SIZE = 18;
extern const ConfKeyword conf_keywords[CONF_KEYWORDS_SIZE];

// Counts the rows whose keyword begins with `token`, ignoring letter case; a
// token longer than a keyword never matches it. `*match` gets the last row
// matched, or null.
int conf_match_keyword(const char* token, const ConfKeyword** match);
