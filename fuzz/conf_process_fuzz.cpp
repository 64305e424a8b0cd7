// Feeds arbitrary bytes to the configuration compiler as the contents of a
// station file, read from memory, and checks what every parse must leave
// behind.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/conf_process.h"
#include "text/text_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
  if (file == nullptr) return 0;  // fmemopen refuses an empty buffer on some systems
  static char buffer[BUFSIZ];     // rather than a fresh allocation per input
  std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
  rewind_text_file(file);  // as the opener does: past a byte-order mark
  Console con("");
  ConfigState cfg;
  cfg.conf_rec.implicit_action = IMPLICIT_DROP;
  cfg.conf_rec.rule_count = 17;
  const int rc = conf_compile_file(con, cfg, "fuzz.txt", file);
  std::fclose(file);
  check(rc == 0 || rc == -7 || rc == -8 || rc == -11);
  check((rc == 0) == (cfg.conf_processed == 1));
  check(cfg.conf_rec.implicit_action == IMPLICIT_DROP && cfg.conf_rec.rule_count == 17);
  check(std::memchr(cfg.conf_rec.station_call, '\0', 7) != nullptr);
  check(cfg.conf_rec.station_ssid <= 15);
  check(cfg.conf_rec.wide_max >= 1 && cfg.conf_rec.wide_max <= 6);
  check(cfg.conf_rec.wide_total >= 1 && cfg.conf_rec.wide_total <= 6);
  check(cfg.conf_rec.dupe_window >= 5 && cfg.conf_rec.dupe_window <= 500);
  check(cfg.conf_rec.relay <= 1 && cfg.conf_rec.pass_nonaprs <= 1);
  return 0;
}
