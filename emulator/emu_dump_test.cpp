#include "emu_dump.h"

#include <gtest/gtest.h>

#include "config/conf_rec.h"
#include "rules/rule_rec.h"

namespace {

TEST(EmuDump, DecodesTheConfigurationAndEachRule) {
  DownloadRecord d;
  const ConfBytes conf = conf_encode(conf_default_rec);
  d.conf.assign(conf.begin(), conf.end());
  const std::uint8_t rule[] = {0x61, 0x62, 0, 0, 0, 0, 5, 0, 0, 0, 0,    0,    0, 0,
                               0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0x26, 0x48, 3, 0};
  d.rules.assign(std::begin(rule), std::end(rule));
  d.finished = true;
  const std::string dump = download_dump(d);
  EXPECT_NE(dump.find("  0000: 00 e1 00 00 80 25 00 00 00 4b 00 00"), std::string::npos) << dump;
  EXPECT_NE(dump.find("Station Call\tnotset\tSSID 0x00\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  rule 1: 61 62 00"), std::string::npos) << dump;
  EXPECT_NE(dump.find("    Pass   source    40   ab    -5"), std::string::npos) << dump;
}

TEST(EmuDump, ImageLinesBreakAtGaps) {
  UploadRecord u;
  u.identifier = "kTNoDi1.0";
  u.image.apply({3, 0x00, 0x10, 0x00, 0xAA, 0xBB, 0xCC, 0});
  u.image.apply({1, 0x00, 0x20, 0x00, 0xDD, 0});
  EXPECT_EQ(upload_dump(u),
            "Firmware upload, identifier 'kTNoDi1.0', 0 lines read, not finished\n"
            "Image, 4 bytes:\n  00000010: aa bb cc\n  00000020: dd\n");
}

}  // namespace
