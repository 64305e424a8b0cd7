// A firmware update end to end: ktreva-host uploads a HEX file made by
// objcopy to ktreva-emu on a pseudo-terminal, through refusals that are
// resent, and the image the emulator received is the binary the file was
// made from. The progress line's seconds come from the wall clock, so they
// are masked before the comparison.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/background_program.h"
#include "support/run_program.h"

namespace fs = std::filesystem;

namespace {

// The emulator's image dump as address -> byte.
std::map<unsigned, unsigned> dumped_image(const std::string& dump) {
  std::map<unsigned, unsigned> image;
  std::istringstream lines(dump);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string head;
    unsigned address = 0;
    if (!(words >> head) || head.size() != 9 || head.back() != ':') continue;
    address = static_cast<unsigned>(std::stoul(head, nullptr, 16));
    for (std::string byte; words >> byte;) image[address++] = std::stoul(byte, nullptr, 16);
  }
  return image;
}

// Skips blanks, then a number and an "s" at `at`; npos when they are not there.
std::size_t after_seconds(const std::string& s, std::size_t at) {
  while (at < s.size() && s[at] == ' ') ++at;
  const std::size_t digits = at;
  while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;
  return at > digits && at < s.size() && s[at] == 's' ? at + 1 : std::string::npos;
}

// Each "\r  Ns TTC  Ns" of the progress line as "\r#s TTC #s".
std::string masked(const std::string& out) {
  std::string text;
  for (std::size_t i = 0; i < out.size();) {
    std::size_t end = out[i] == '\r' ? after_seconds(out, i + 1) : std::string::npos;
    if (end != std::string::npos && out.compare(end, 4, " TTC") == 0) {
      end = after_seconds(out, end + 4);
    } else {
      end = std::string::npos;
    }
    if (end == std::string::npos) {
      text += out[i++];
    } else {
      text += "\r#s TTC #s";
      i = end;
    }
  }
  return text;
}

TEST(FirmwareEndToEnd, UploadThroughRefusalsDeliversTheBinary) {
  const fs::path dir = fs::temp_directory_path() / ("ktreva-fw-e2e-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string binary;
  for (int i = 0; i < 40; ++i) binary += static_cast<char>(i * 13 + 1);
  std::ofstream(dir / "fw.bin", std::ios::binary) << binary;
  const std::string objcopy =
      "cd '" + dir.string() + "' && objcopy -I binary -O ihex fw.bin raw.hex";
  ASSERT_EQ(std::system(objcopy.c_str()), 0);
  // A comment line first: line numbers count it.
  std::ofstream(dir / "fw.hex", std::ios::binary) << "; made by objcopy\n"
                                                  << read_file(dir / "raw.hex");

  BackgroundProgram emu({KTREVA_EMU_PATH, "--dump", "image.txt", "--fault", "record:2:dc1,nak"},
                        dir);
  const std::string path = emu.first_line(30);
  ASSERT_FALSE(path.empty());
  const RunResult run = run_program({KTREVA_HOST_PATH, "--com", "1=" + path},
                                    "firmware 1 fw.hex\ny\n\nexit\n", dir, 120);
  emu.stop();

  const std::string out = masked(run.out);
  const std::string want =
      "Command> \a\aWARNING! This will alter the kTrevaNodi firmware!\n"
      "Do you want to continue (n or y)? [n]: "
      "\n\a\aWARNING! The kTrevaNodi Firmware is about to be updated!\n"
      "This will take less than 5 minutes.\n"
      "Do NOT interrupt the process once started!\n"
      "If power is interrupted during this process you may not be able\n"
      "to communicate with the kTrevaNodi due to firmware corruption.\n"
      "If this happens correct the power problem and restart this entire process.\n\n"
      "Type the Enter key when you are ready to continue..."
      "\nTo begin TURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
      "\a\aYou have 20 seconds to do this...\n\n"
      "\r#s TTC #s 25.0% " +
      std::string(14, '=') +
      "\n\a\aError: Firmware updating error: didn't get start character on Line 3, resending.\n"
      "\n\a\aError: Firmware updating error: validation on Line 3, resending.\n"
      "\r#s TTC #s 50.0% " +
      std::string(29, '=') + "\r#s TTC #s 75.0% " + std::string(44, '=') + "\r#s TTC #s 100.0%" +
      std::string(59, '=') +
      "\n"
      "\a\aFirmware update succeeded!\n\nPower cycle kTrevaNodi!\n"
      "Don't forget to Configure Operating Parameters, Process Rules\n"
      "and Download these to the kTrevaNodi!\nCommand> ";
  const std::size_t at = out.find("Command> \a\aWARNING!");
  ASSERT_NE(at, std::string::npos) << visible(out);
  EXPECT_EQ(describe_mismatch(want, out.substr(at)), "");
  EXPECT_EQ(run.exit_status, 0);

  std::map<unsigned, unsigned> want_image;
  for (std::size_t i = 0; i < binary.size(); ++i) {
    want_image[static_cast<unsigned>(i)] = static_cast<unsigned char>(binary[i]);
  }
  EXPECT_EQ(dumped_image(read_file(dir / "image.txt")), want_image);
  fs::remove_all(dir);
}

}  // namespace
