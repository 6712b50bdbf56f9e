#include "platform/host/gtk/ClickCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace host {
namespace {

struct Press {
  int window;
  unsigned button;
  std::uint32_t time;
  int x;
  int y;
  bool isDouble;
};

struct ClickCase {
  const char* name;
  std::vector<Press> presses;
};

class ClickCounterTest : public testing::TestWithParam<ClickCase> {};

TEST_P(ClickCounterTest, SecondQuickPressInPlaceIsTheDoubleClick) {
  ClickCounter counter(400, 5);
  const int windows[2] = {};
  int index = 0;
  for (const Press& press : GetParam().presses) {
    EXPECT_EQ(counter.Press(&windows[press.window], press.button, press.time, press.x, press.y), press.isDouble)
        << "press " << index;
    ++index;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ClickCounterTest,
    testing::Values(
        ClickCase{"Double", {{0, 1, 1000, 10, 10, false}, {0, 1, 1300, 12, 8, true}}},
        ClickCase{"AtTheLimits", {{0, 1, 1000, 10, 10, false}, {0, 1, 1400, 15, 5, true}}},
        ClickCase{"TooSlow", {{0, 1, 1000, 10, 10, false}, {0, 1, 1401, 10, 10, false}}},
        ClickCase{"TooFar", {{0, 1, 1000, 10, 10, false}, {0, 1, 1100, 16, 10, false}}},
        ClickCase{"OtherButton", {{0, 1, 1000, 10, 10, false}, {0, 3, 1100, 10, 10, false}}},
        ClickCase{"OtherWindow", {{0, 1, 1000, 10, 10, false}, {1, 1, 1100, 10, 10, false}}},
        // A third quick press starts a new click, and a fourth doubles it.
        ClickCase{"Quadruple",
                  {{0, 1, 1000, 10, 10, false},
                   {0, 1, 1100, 10, 10, true},
                   {0, 1, 1200, 10, 10, false},
                   {0, 1, 1300, 10, 10, true}}},
        ClickCase{"SlowThenQuick",
                  {{0, 1, 1000, 10, 10, false}, {0, 1, 2000, 10, 10, false}, {0, 1, 2100, 10, 10, true}}},
        ClickCase{"RightDouble", {{0, 3, 1000, 10, 10, false}, {0, 3, 1100, 10, 10, true}}},
        ClickCase{"TimeWrapsAround", {{0, 1, 0xFFFFFF00u, 10, 10, false}, {0, 1, 0x00000050u, 10, 10, true}}}),
    [](const testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

}  // namespace
}  // namespace host
