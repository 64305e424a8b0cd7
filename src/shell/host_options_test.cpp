#include "shell/host_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string parse(std::vector<std::string> args, HostOptions& options) {
  args.insert(args.begin(), "ktreva-host");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  return parse_host_options(static_cast<int>(argv.size()), argv.data(), options);
}

TEST(HostOptions, CombinationsThatMakeNoSenseAreRefused) {
  struct Case {
    std::vector<std::string> args;
    const char* problem;
  };
  const Case cases[] = {
      {{"--check", "--config", "s.txt"}, ""},
      {{"--map=m.svg", "--rules=r.txt"}, ""},
      {{"--stop-on-error"}, ""},
      {{"--rules", "r.txt", "--help"},
       "--help ends the run before a session: it does not go with --rules"},
      {{"--list-ports", "--map", "m.svg"},
       "--list-ports ends the run before a session: it does not go with --map"},
      {{"--version", "--check"},
       "--version ends the run before a session: it does not go with --check"},
      {{"--list-ports", "--com", "1=/dev/pts/3"}, ""},
      {{"--com", "1=/dev/pts/3", "--port-check", "COM1"}, ""},
      {{"--port-check", "COM1", "--trace", "t.txt"},
       "--port-check ends the run before a session: it does not go with --trace"},
      {{"--port-check="}, "--port-check needs a device path or COMn"},
      {{"--map", "--check", "--rules", "r.txt"}, "--map needs a file name"},
      {{"--trace=--log", "x"}, "--trace needs a file name"},
      {{"--com", "--trace"}, "--com needs a value N=PATH"},
      {{"--port-check", "--com", "1=/dev/a"}, "--port-check needs a device path or COMn"},
      {{"--com", "1=/dev/a", "--com", "2=/dev/b", "--com", "1=/dev/a"}, ""},
      {{"--com", "1=/dev/a", "--com", "1=/dev/b"}, "--com 1 given twice: /dev/a and /dev/b"},
      {{"--log", "a", "--log", "b"}, "--log given twice: a and b"},
      {{"--check", "--rules", "r.txt", "--geo-data", "g.dat"}, "--geo-data goes with --map"},
      {{"--rules", "r.txt"}, "--config and --rules go with --check or --map"},
      {{"--check"}, "--check needs --config FILE, --rules FILE or both"},
      {{"--map", "m.svg"}, "--map needs --config FILE, --rules FILE or both"},
      {{"--check", "--rules", "r.txt", "--stop-on-error"},
       "--stop-on-error is for a session, not --check or --map"},
      {{"--check", "--config"}, "--config needs a value FILE"},
      {{"--map="}, "--map needs a file name"},
      {{"--check=yes"}, "--check takes no value"},
      {{"--map=m.svg", "--rules=r.txt", "--log", "l.txt"},
       "--trace and --log are for a session, not --check or --map"},
      {{"--trace", "t.txt", "--log", "l.txt", "--stop-on-error"}, ""},
      {{"--chek"}, "unknown option: --chek"},
  };
  for (const Case& c : cases) {
    HostOptions options;
    EXPECT_EQ(parse(c.args, options), c.problem) << c.args.front();
  }
  HostOptions options;
  ASSERT_EQ(parse({"--map=m.svg", "--config", "s.txt"}, options), "");
  EXPECT_EQ(options.map_path, "m.svg");
  EXPECT_EQ(options.config_path, "s.txt");
  EXPECT_FALSE(options.has_rules());
}

}  // namespace
