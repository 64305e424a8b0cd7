#include "config/conf_keywords.h"

#include "text/word_match.h"

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

int conf_match_keyword(const char* token, const ConfKeyword** match) {
  return match_keyword(token, conf_keywords, match);
}
