#include "config/conf_rec.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/conf_display.h"

namespace {

TEST(ConfRec, DefaultRecordBytes) {
  const ConfBytes b = conf_encode(conf_default_rec);
  const std::uint8_t head[12] = {0x00, 0xE1, 0x00, 0x00, 0x80, 0x25,
                                 0x00, 0x00, 0x00, 0x4B, 0x00, 0x00};
  const std::uint8_t tail[36] = {0x6E, 0x6F, 0x74, 0x73, 0x65, 0x74, 0x00, 0x00, 0x00,
                                 0x00, 0x03, 0x00, 0x06, 0x00, 0x01, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x1C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
                                 0x00, 0x01, 0x00, 0x00, 0x00, 0x70, 0x00, 0x00, 0x00};
  EXPECT_EQ(0, std::memcmp(b.data(), head, sizeof head));
  EXPECT_EQ(0, std::memcmp(b.data() + 20, tail, sizeof tail));
  // The default position, 40 N 105.25 W, as single-precision IEEE bytes.
  const std::uint8_t position[8] = {0x00, 0x00, 0x20, 0x42, 0x00, 0x80, 0xD2, 0xC2};
  EXPECT_EQ(0, std::memcmp(b.data() + 12, position, sizeof position));
}

TEST(ConfRec, FieldsLandAtTheirOffsets) {
  ConfRec rec = conf_default_rec;
  rec.host_baud = 0x11223344;
  rec.base_lat = 45.5f;  // 0x42360000
  rec.dupe_window = 0x0102;
  rec.implicit_action = IMPLICIT_DROP;
  rec.rule_count = 3;
  const ConfBytes b = conf_encode(rec);
  EXPECT_EQ(b[0], 0x44);
  EXPECT_EQ(b[3], 0x11);
  EXPECT_EQ(b[14], 0x36);
  EXPECT_EQ(b[15], 0x42);
  EXPECT_EQ(b[40], 0x02);
  EXPECT_EQ(b[41], 0x01);
  EXPECT_EQ(b[52], 0x64);
  EXPECT_EQ(b[54], 0x03);
  EXPECT_EQ(b[55], 0x00);
}

TEST(ConfRec, DefaultConnectBaudFollowsHaveGps) {
  ConfRec rec = conf_default_rec;
  EXPECT_EQ(default_connect_baud(rec), 9600u);
  rec.have_gps = 0;
  EXPECT_EQ(default_connect_baud(rec), 57600u);
}

TEST(ConfDisplay, DefaultsAndFormattedFields) {
  Console con("");
  conf_display(con, conf_default_rec);
  const std::string middle =
      "Host baud\t57600\nGPS  baud\t9600\nTNC  baud\t19200\n"
      "WIDE Max 3\tWIDE Total 6\tDupe Window 28 sec.\nNSR: Disabled\tRelay: Enabled\n"
      "Log Port: Yes\tHave GPS: Yes\nFix Valid: Yes\tPass packets without valid position: No\n"
      "Halt On Error: No\tDrop Mangled Packet: Yes\nRule count 0\tImplicit Rule Action: ";
  EXPECT_EQ(con.output(),
            "Configuration:\nStation Call\tnotset\tSSID 0x00\n"
            "Base Lat  40.000000\tLon  -105.25000\n" +
                middle + "Pass\n");

  ConfRec rec = conf_default_rec;
  std::memcpy(rec.station_call, "AB1C", 5);
  rec.station_ssid = 10;
  rec.base_lat = 45.5f;
  rec.base_lon = -103.25f;
  rec.implicit_action = 'x';
  con.clear_output();
  conf_display(con, rec);
  EXPECT_EQ(con.output(),
            "Configuration:\nStation Call\t  AB1C\tSSID 0x0a\n"
            "Base Lat  45.500000\tLon  -103.25000\n" +
                middle + "?\n");
}

}  // namespace
