// Runs the real ktreva-host with tests/transcripts/NAME.in on its standard
// input, in a scratch folder holding the files of NAME.files/, and compares
// its standard output byte for byte with NAME.out. The exit status must equal
// the number in NAME.status (0 when that file is missing). NAME.args, when
// present, holds extra command-line arguments, one to a line. NAME.device
// marks a session with an external device (see run_transcript.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> transcript_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(KTREVA_TRANSCRIPT_DIR)) {
    if (entry.path().extension() == ".in") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> read_args(const fs::path& path) {
  std::vector<std::string> args;
  if (!fs::exists(path)) return args;
  std::istringstream lines(read_file(path));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) args.push_back(line);
  }
  return args;
}

fs::path make_scratch(const std::string& name) {
  fs::path dir =
      fs::temp_directory_path() / ("ktreva-transcript-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path files = fs::path(KTREVA_TRANSCRIPT_DIR) / (name + ".files");
  if (fs::exists(files)) {
    fs::copy(files, dir, fs::copy_options::recursive);
  }
  return dir;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, MatchesExpectedOutput) {
  const std::string name = GetParam();
  const fs::path base = fs::path(KTREVA_TRANSCRIPT_DIR) / name;
  if (fs::exists(base.string() + ".device")) {
    GTEST_SKIP() << name << ": needs an external device; the Windows suite runs it";
  }
  const fs::path scratch = make_scratch(name);
  const fs::path status_file = base.string() + ".status";
  const int want_status = fs::exists(status_file) ? std::stoi(read_file(status_file)) : 0;

  std::vector<std::string> argv = {KTREVA_HOST_PATH};
  for (const auto& a : read_args(base.string() + ".args")) argv.push_back(a);
  const RunResult run = run_program(argv, read_file(base.string() + ".in"), scratch, 60);
  fs::remove_all(scratch);

  ASSERT_FALSE(run.timed_out) << name << ": ktreva-host did not finish";
  const std::string want = read_file(base.string() + ".out");
  const std::string diff = describe_mismatch(want, run.out);
  EXPECT_TRUE(diff.empty()) << name << ": " << diff;
  EXPECT_EQ(run.exit_status, want_status) << name << ": exit status";
}

INSTANTIATE_TEST_SUITE_P(Files, Transcript, testing::ValuesIn(transcript_names()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string id = info.param;
                           for (char& c : id) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return id;
                         });

}  // namespace
