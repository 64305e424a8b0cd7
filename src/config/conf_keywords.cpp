#include "config/conf_keywords.h"

const ConfKeyword conf_keywords[CONF_KEYWORDS_SIZE] = {
    {"call", CONF_CALL},
    {"ssid", CONF_SSID},
    {"position", CONF_POSITION},
    {"base", CONF_POSITION},
    {"havegps", CONF_HAVE_GPS},
    {"log", CONF_LOG},
    {"dropmangld", CONF_DROP_MANGLED},
    {"haltonerr", CONF_HALT_ON_ERROR},
    {"fixvalid", CONF_FIX_VALID},
    {"host", CONF_HOST_BAUD},
    {"tnc", CONF_TNC_BAUD},
    {"gps", CONF_GPS_BAUD},
    {"nsr", CONF_NSR},
    {"relay", CONF_RELAY},
    {"widemax", CONF_WIDE_MAX},
    {"widetotal", CONF_WIDE_TOTAL},
    {"dupewin", CONF_DUPE_WIN},
    {"nonaprs", CONF_NONAPRS},
};

namespace {

// ASCII only: the file's bytes above 0x7F must not depend on a locale.
char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_leading_part(const char* token, const char* keyword) {
  for (; *token != '\0'; ++token, ++keyword) {
    // The keyword's terminator never equals a token character, so a token
    // longer than the keyword fails here.
    if (lower_ascii(*token) != *keyword) return false;
  }
  return true;
}

}  // namespace

int conf_match_keyword(const char* token, const ConfKeyword** match) {
  int count = 0;
  *match = nullptr;
  for (const ConfKeyword& row : conf_keywords) {
    if (is_leading_part(token, row.keyword)) {
      ++count;
      *match = &row;
    }
  }
  return count;
}
