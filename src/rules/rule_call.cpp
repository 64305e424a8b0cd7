#include "rules/rule_call.h"

#include <cstring>

#include "text/number_text.h"

namespace {

struct CallMessages {
  ArgMessages missing;
  const char* name;
  int too_long_code;
};

const CallMessages DESTIN_MESSAGES = {
    {"missing Destination", -11, "missing Destination string", -8}, "Destination", -10};
const CallMessages SOURCE_MESSAGES = {
    {"missing Source", -13, "missing Source string", -12}, "Source", -11};

constexpr int MAX_SSID = 15;

}  // namespace

int parse_call_rule(RuleLine& line, std::uint8_t kind, RuleRec& rec) {
  const CallMessages& m = kind == RULE_DESTIN ? DESTIN_MESSAGES : SOURCE_MESSAGES;
  char* pattern = nullptr;
  if (int rc = take_arg(line, PATTERN_SEPARATORS, m.missing, &pattern)) return rc;
  if (pattern[0] == '*') {
    rec[RULE_FLAGS_AT] = MOD_WILD | MOD_ANY;
    return 0;
  }
  std::uint8_t mods = 0;
  if (char* star = std::strchr(pattern, '*')) {
    *star = '\0';
    mods = MOD_WILD;
  } else if (char* dash = std::strchr(pattern, '-')) {
    *dash = '\0';
    const int ssid = read_int(dash + 1);
    if (ssid < 0 || ssid > MAX_SSID) {
      return rule_error(line, -9, "invalid SSID range [0..15]: %d", ssid);
    }
    mods = MOD_SSID;
    rule_put_ssid(rec, static_cast<std::uint8_t>(ssid));
  }
  if (std::strlen(pattern) > RULE_CALL_SIZE) {
    return rule_error(line, m.too_long_code, "%s is too long: %s", m.name, pattern);
  }
  rule_put_call(rec, pattern);
  rec[RULE_FLAGS_AT] = mods;
  return 0;
}
