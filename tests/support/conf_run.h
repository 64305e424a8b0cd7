#pragma once
// Test support: compiles a configuration text from a scratch file.

#include <string>
#include <string_view>

#include "config/conf_process.h"
#include "support/scratch_dir.h"

struct ParseRun {
  int rc;
  std::string out;
};

inline ParseRun run_conf(ConfigState& cfg, std::string_view text) {
  ScratchDir dir;
  const std::string path = dir.write("station.txt", text);
  Console con("");
  const int rc = conf_process(con, cfg, path.c_str());
  return {rc, con.output()};
}
