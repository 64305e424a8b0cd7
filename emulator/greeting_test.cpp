#include "greeting.h"

#include <gtest/gtest.h>

namespace {

// What the host's check makes of the first 100 bytes of a greeting: NUL and
// bytes above 0x7F read as '#', then the product name, then the version after it.
std::string host_view(const std::string& greeting) {
  std::string seen = greeting.substr(0, 100);
  for (char& c : seen) {
    if (c == '\0' || static_cast<unsigned char>(c) > 0x7F) c = '#';
  }
  const std::size_t name = seen.find("kTrevaNodi");
  if (name == std::string::npos) return "no name";
  const std::size_t version = seen.find("Version 2.2b", name);
  if (version == std::string::npos) return "name only";
  return version + 12 <= 90 ? "name and version" : "version too late";
}

struct GreetingCase {
  GreetingVariant variant;
  const char* host_sees;
  bool at_least_100;
  bool raw_bytes;  // holds NUL or 0xFF
};

TEST(Greeting, EachVariantLooksToTheHostAsItsNameSays) {
  const GreetingCase cases[] = {
      {GreetingVariant::kStandard, "name and version", true, false},
      {GreetingVariant::kOtherVersion, "name only", true, false},
      {GreetingVariant::kNoName, "no name", true, false},
      {GreetingVariant::kVersionFirst, "name only", true, false},
      {GreetingVariant::kNulAndFf, "name and version", true, true},
      {GreetingVariant::kShort, "name and version", false, false},
  };
  for (const GreetingCase& c : cases) {
    const std::string text = greeting_text(c.variant);
    SCOPED_TRACE(text);
    EXPECT_EQ(host_view(text), c.host_sees);
    EXPECT_EQ(text.size() >= 100, c.at_least_100);
    EXPECT_EQ(text.find_first_of(std::string("\0\xFF", 2)) != std::string::npos, c.raw_bytes);
  }
  EXPECT_EQ(greeting_text(GreetingVariant::kSilent), "");
  EXPECT_EQ(greeting_text(GreetingVariant::kCustom, "mine"), "mine");
}

}  // namespace
