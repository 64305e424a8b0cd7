#include "serial/low_latency.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A driver's flags word that records what it was asked to set.
struct FlagsScript {
  bool has_flags = true;
  bool refuses = false;
  int flags = 0x0050;
  std::vector<int> sets;
};

class FakeSerialFlags final : public SerialFlags {
 public:
  explicit FakeSerialFlags(FlagsScript& s) : s_(s) {}
  bool get(int& flags) override {
    flags = s_.flags;
    return s_.has_flags;
  }
  bool set(int flags) override {
    s_.sets.push_back(flags);
    if (s_.refuses) return false;
    s_.flags = flags;
    return true;
  }

 private:
  FlagsScript& s_;
};

constexpr int LOW = SERIAL_FLAG_LOW_LATENCY;

TEST(LowLatencyHold, AsksForLowLatencyAndGivesTheEarlierFlagsBack) {
  const struct {
    const char* what;
    FlagsScript script;
    bool changed;
    std::vector<int> sets_while_held;
    std::vector<int> sets_after;
    int flags_after;
  } cases[] = {
      {"a USB adapter",
       {true, false, 0x0050, {}},
       true,
       {0x0050 | LOW},
       {0x0050 | LOW, 0x0050},
       0x0050},
      {"already in low latency", {true, false, 0x0050 | LOW, {}}, false, {}, {}, 0x0050 | LOW},
      {"no flags word (a pty)", {false, false, 0x0050, {}}, false, {}, {}, 0x0050},
      {"the driver refuses",
       {true, true, 0x0050, {}},
       false,
       {0x0050 | LOW},
       {0x0050 | LOW},
       0x0050},
  };
  for (const auto& c : cases) {
    FlagsScript s = c.script;
    {
      LowLatencyHold hold(std::make_unique<FakeSerialFlags>(s));
      EXPECT_EQ(hold.changed(), c.changed) << c.what;
      EXPECT_EQ(s.sets, c.sets_while_held) << c.what;
    }
    EXPECT_EQ(s.sets, c.sets_after) << c.what;
    EXPECT_EQ(s.flags, c.flags_after) << c.what;
  }
}

TEST(LowLatencyHold, NoFlagsAtAll) {
  LowLatencyHold hold(nullptr);
  EXPECT_FALSE(hold.changed());
}

}  // namespace
