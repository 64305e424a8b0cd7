// Runs the real ktreva-host with tests/transcripts/NAME.in on its standard
// input, in a scratch folder holding the files of NAME.files/, and compares
// its standard output byte for byte with NAME.out and its standard error with
// NAME.err (empty when that file is missing). The exit status must equal the
// number in NAME.status (0 when that file is missing); a run ended by a
// signal fails unless NAME.signal names that signal's number.
//
// NAME.args, when present, holds extra command-line arguments, one to a line.
// NAME.before, when present, is a program started in the scratch folder
// before the run (one word to a line; @EMU@ stands for the device emulator);
// the first line it prints replaces @OUT@ in NAME.args, and it is stopped
// after the run. Every file in NAME.expect/ must then equal the file of the
// same name in the scratch folder. NAME.fifos names FIFOs to make in the
// scratch folder, one to a line (git keeps none).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "background_program.h"
#include "run_program.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> transcript_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(KTREVA_TRANSCRIPT_DIR)) {
    if (entry.path().extension() == ".in") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The words of a file, one to a line, with each @KEY@ replaced.
std::vector<std::string> read_words(const fs::path& path,
                                    const std::vector<std::pair<std::string, std::string>>& subst) {
  std::vector<std::string> words;
  if (!fs::exists(path)) return words;
  std::istringstream lines(read_file(path));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) continue;
    for (const auto& [key, value] : subst) {
      for (std::size_t at = line.find(key); at != std::string::npos; at = line.find(key, at)) {
        line.replace(at, key.size(), value);
        at += value.size();
      }
    }
    words.push_back(line);
  }
  return words;
}

int number_in(const fs::path& path, int otherwise) {
  return fs::exists(path) ? std::stoi(read_file(path)) : otherwise;
}

void expect_files(const fs::path& expect_dir, const fs::path& scratch, const std::string& name) {
  if (!fs::exists(expect_dir)) return;
  for (const auto& entry : fs::directory_iterator(expect_dir)) {
    const fs::path got = scratch / entry.path().filename();
    EXPECT_TRUE(fs::exists(got)) << name << ": no " << got;
    const std::string diff = describe_mismatch(read_file(entry.path()), read_file(got));
    EXPECT_TRUE(diff.empty()) << name << ": " << entry.path().filename() << ": " << diff;
  }
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
  for (const auto& fifo : read_words(fs::path(KTREVA_TRANSCRIPT_DIR) / (name + ".fifos"), {})) {
    EXPECT_EQ(::mkfifo((dir / fifo).c_str(), 0600), 0) << fifo;
  }
  return dir;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, MatchesExpectedOutput) {
  const std::string name = GetParam();
  const fs::path base = fs::path(KTREVA_TRANSCRIPT_DIR) / name;
  const fs::path scratch = make_scratch(name);
  const std::string stem = base.string();

  BackgroundProgram before(read_words(stem + ".before", {{"@EMU@", KTREVA_EMU_PATH}}), scratch);
  std::string out;
  if (before.started()) {
    out = before.first_line(30);
    ASSERT_FALSE(out.empty()) << name << ": the program started before the run said nothing";
  }
  std::vector<std::string> argv = {KTREVA_HOST_PATH};
  for (const auto& a : read_words(stem + ".args", {{"@OUT@", out}})) argv.push_back(a);
  const RunResult run = run_program(argv, read_file(stem + ".in"), scratch, 120);
  before.stop();

  EXPECT_FALSE(run.timed_out) << name << ": ktreva-host did not finish";
  EXPECT_EQ(run.term_signal, number_in(stem + ".signal", 0)) << name << ": signal";
  EXPECT_EQ(run.exit_status, number_in(stem + ".status", run.term_signal != 0 ? -1 : 0))
      << name << ": exit status";
  EXPECT_TRUE(describe_mismatch(read_file(stem + ".out"), run.out).empty())
      << name << ": " << describe_mismatch(read_file(stem + ".out"), run.out);
  EXPECT_TRUE(describe_mismatch(read_file(stem + ".err"), run.err).empty())
      << name << " (stderr): " << describe_mismatch(read_file(stem + ".err"), run.err);
  expect_files(stem + ".expect", scratch, name);
  fs::remove_all(scratch);
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
