// Feeds arbitrary bytes to the configuration parser as a station file and
// checks what every parse must leave behind.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "config/conf_process.h"

namespace {

const std::string& scratch_path() {
  static const std::string path =
      (std::filesystem::temp_directory_path() /
       ("ktreva-conf-fuzz-" + std::to_string(std::random_device{}()) + ".txt"))
          .string();
  return path;
}

bool write_file(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = scratch_path();
  if (!write_file(path, data, size)) return 0;
  Console con("");
  ConfigState cfg;
  cfg.conf_rec.implicit_action = IMPLICIT_DROP;
  cfg.conf_rec.rule_count = 17;
  const int rc = conf_process(con, cfg, path.c_str());
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
