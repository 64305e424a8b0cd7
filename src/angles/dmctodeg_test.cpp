#include "angles/dmctodeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "angles/fixed_scan.h"

namespace {

struct Outcome {
  double value;
  std::string output;
};

Outcome parse(const std::string& text) {
  Console con("");
  const double value = dmctodeg(con, text.c_str());
  return {value, con.output()};
}

struct Accepted {
  const char* text;
  double degrees;
};

void expect_accepted(const Accepted& c) {
  const Outcome r = parse(c.text);
  EXPECT_NEAR(r.value, c.degrees, 1e-5) << '"' << c.text << '"';
  EXPECT_EQ(r.output, "") << '"' << c.text << '"';
}

TEST(Dmctodeg, WorkedValues) {
  const Accepted cases[] = {
      {"45:22:33", 45.37583},
      {"-38:33:29.222", -38.55812},
      {"45.22.64", 45.37733},
      {"-103.00.", -103.0},
      {"N 39d 23.7m 33.9c", 39.40442},
      {"39d23.7m33.9C", 39.40442},
      {"n39.395d 33.9c", 39.40442},
      {"-42.5d", -42.5},
      {"0d 30m S", -0.5},
      {"-0:30:00", -0.5},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

TEST(Dmctodeg, AcceptedEdgeCases) {
  const Accepted cases[] = {
      {"45:18:", 45.3},
      {":30:00", 0.5},
      {"12.9:30:00", 12.5},
      {"12:30.9:00", 12.5},
      {"39d\n", 39.0},
      {"39 N 30m", 0.5},
      {"10:59:59.99", 10.0 + 59 / 60.0 + 59.99 / 3600},
      {"360d", 360.0},
      {"-360d", -360.0},
      {"30m W", -0.5},
      {"0:-30:00", -0.5},
      {"-30m", -0.5},
      {"-0d 30m", -0.5},
      {"59.99c", 59.99 / 3600},
      {"38.33.379", 38 + 33.379 / 60},
      {"45..30", 45.005},
      {"\t39.5 D", 39.5},
      {"e 10d", 10.0},
      {"10d20m30c E", 10.0 + 20 / 60.0 + 30 / 3600.0},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

// A minus sign on the minutes or seconds while the degrees are non-zero
// makes the whole angle negative, as the guide tells the operator.
TEST(Dmctodeg, MinusOnMinutesOrSecondsNegatesTheWholeAngle) {
  const Accepted cases[] = {
      {"39d -23.7m", -39.395}, {"39d 23.7m -33.9c", -39.40442}, {"-23.7m 39d", -39.395},
      {"12:-30:00", -12.5},    {"12:30:-36", -12.51},           {"12.-30.", -12.5},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

TEST(Dmctodeg, LongDegreesTextIsConvertedWhole) {
  expect_accepted({"000000000000000000000000000039.5d 30m", 40.0});
  expect_accepted({"                         -39.5d", -39.5});
  expect_accepted({"39.50000000000000000000000000001D", 39.5});
}

TEST(Dmctodeg, ParsingEndsAtTheFirstNewline) {
  expect_accepted({"12:30:00\n99", 12.5});
  expect_accepted({"12:30:15 \n", 12.5 + 15 / 3600.0});
  expect_accepted({"45.22.\n64", 45.36667});
  expect_accepted({"39d\n30x", 39.0});
  expect_accepted({"39d\n-", 39.0});  // a minus behind the newline stands on no part
  // The counting pass and the direction letters still look at the whole text.
  expect_accepted({"39d\nS", -39.0});
}

// Bytes above 0x7F are not letters: the Colon and Dotted readings ignore them
// like any other trailing text.
TEST(Dmctodeg, HighBytesOutsideDmc) {
  expect_accepted({"12:30:00\xc3", 12.5});
  expect_accepted({"12.30.\xe9", 12.5});
}

struct Refused {
  std::string text;
  std::string message;
};

TEST(Dmctodeg, RefusalsPrintExactlyOneMessage) {
  const std::string colons = "\a\aError: Colon format: must have 2 colons: [s][D]DD:MM:SS[.F*]\n";
  const std::string dotted =
      "\a\aError: Dotted format: must have 2 periods: [s][D]DD.MM.[F*]\n"
      "\tor DMC format must have at least one of [DdMmCc] identifiers\n";
  const std::string mismatch = "\a\aInternal Error: pointer mismatch\n";
  const std::string deg_range = " is out of range [-180..180]\n";
  const Refused cases[] = {
      {"", "dmctodeg: Error: invalid param inp\n"},
      {"12:30", colons},
      {"1:2:3:4", colons},
      {"39d\n:", colons},
      {"12:30:00.5.5", "\a\aError: Colon format: too many periods: [s][D]DD:MM:SS[.F*]\n"},
      {"12:30:0a", "\a\aError: Colon format: has alpha characters: [s][D]DD:MM:SS[.F*]\n"},
      {"12:30:00\xc3z", "\a\aError: Colon format: has alpha characters: [s][D]DD:MM:SS[.F*]\n"},
      {"45", "\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n"},
      {"\n", "\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n"},
      {"45.5", dotted},
      {"1.2.3.4", dotted},
      {"N39.5",
       "\a\aError: DMC format must have at least one of [DdMmCc] identifiers\n"
       "\tor Dotted format: found illegal character: [s][D]DD.MM.[F*]\n"},
      {"--5d", "\a\aError: too man minus signs: 2: only one is allowed\n"},
      {"1:-2:-3", "\a\aError: too man minus signs: 2: only one is allowed\n"},
      {"39d\n--", "\a\aError: too man minus signs: 2: only one is allowed\n"},
      {"-39d N",
       "\a\aError: DMC format: both minus (-) and direction char N cannot be specified\n"},
      {"39d S -",
       "\a\aError: DMC format: both minus (-) and direction char S cannot be specified\n"},
      {"w -39d e",
       "\a\aError: DMC format: both minus (-) and direction char e cannot be specified\n"},
      {"39d N W", "\a\aError: DMC format: both direction chars N and W cannot be specified\n"},
      {"s 39d n", "\a\aError: DMC format: both direction chars n and s cannot be specified\n"},
      {"39d 40d", "\a\aError: DMC format: already have degrees (39.000000)\n"},
      {"1m 2.5M", "\a\aError: DMC format: already have minutes (1.000000)\n"},
      {"1c 2d 0.25c", "\a\aError: DMC format: already have seconds (1.000000)\n"},
      {"39d 30x", "\a\aError: DMC format: invalid char: x (0x78)\n"},
      {"39d,30m", "\a\aError: DMC format: invalid char: , (0x2c)\n"},
      {"39d \xc3\xa9", "\a\aError: DMC format: invalid char: \xc3 (0xc3)\n"},
      {"39d 30", mismatch},
      {"39d ", mismatch},
      {"39d 30m -", mismatch},
      {"12:30\n:00", mismatch},
      {"45.5\n.", mismatch},
      {"10:60:00", "\a\aError: min 60.000000 is out of range [0..59.99]\n"},
      {"10:-60:00", "\a\aError: min -60.000000 is out of range [0..59.99]\n"},
      {"0:60:60", "\a\aError: sec 60.000000 is out of range [0..59.99]\n"},
      {"1d 59.9999999c", "\a\aError: sec 60.000000 is out of range [0..59.99]\n"},
      {"10.60.", "\a\aError: min 60.000000 is out of range [0..59.99]\n"},
      {"360d 1m", "\a\aError: deg 360.016667" + deg_range},
      {"-361d", "\a\aError: deg -361.000000" + deg_range},
      {"400:00:00", "\a\aError: deg 400.000000" + deg_range},
      {"1" + std::string(400, '0') + "d", "\a\aError: deg inf" + deg_range},
      {"99999999999:0:0", "\a\aError: deg 2147483648.000000" + deg_range},
  };
  for (const Refused& c : cases) {
    const Outcome r = parse(c.text);
    EXPECT_EQ(r.value, DMC_FAIL) << '"' << c.text << '"';
    EXPECT_EQ(r.output, c.message) << '"' << c.text << '"';
  }
}

TEST(Dmctodeg, NullTextIsRefused) {
  Console con("");
  EXPECT_EQ(dmctodeg(con, nullptr), DMC_FAIL);
  EXPECT_EQ(con.output(), "dmctodeg: Error: invalid param inp\n");
}

TEST(Dmctodeg, FailureValueIsTheLargestFiniteFloat) {
  const auto as_float = static_cast<float>(parse("45").value);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &as_float, sizeof bits);
  EXPECT_EQ(bits, 0x7F7FFFFFu);
  EXPECT_EQ(DMC_FAIL, 3.4028234663852886e38);
}

// The result is combined in double precision from single-precision parts
// and not rounded to single precision.
TEST(Dmctodeg, ResultKeepsDoublePrecision) {
  const double expected = static_cast<double>(39.0f) + static_cast<double>(23.7f) / 60 +
                          static_cast<double>(33.9f) / 3600;
  EXPECT_EQ(parse("39d23.7m33.9c").value, expected);
}

// The scans re-check the separator counts they rely on; the notation
// decision makes these unreachable from dmctodeg.
TEST(AngleScans, GuardTheirSeparatorCounts) {
  const char text[] = "1:2:3";
  const angles::AngleText span = angles::parsed_text(text);
  angles::AngleParts parts;
  angles::AngleCounts counts;
  counts.colons = 3;
  Console con("");
  EXPECT_EQ(angles::scan_colon(con, span, counts, parts), angles::ANGLE_FAIL);
  EXPECT_EQ(con.output(), "\a\aInternal Error: Colon format\n");
  con.clear_output();
  counts.periods = 1;
  EXPECT_EQ(angles::scan_dotted(con, span, counts, parts), angles::ANGLE_FAIL);
  EXPECT_EQ(con.output(), "\a\aInternal Error: Dotted format\n");
}

}  // namespace
