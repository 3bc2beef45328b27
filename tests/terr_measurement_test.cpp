// The terrestrial refresh arithmetic at the limits of its inputs: readings no receiver should
// send must still give a defined value.

#include <gtest/gtest.h>

#include <climits>

#include "terr/terr_measurement.h"

namespace {

struct Case {
  int input;
  int expected;
};

TEST(TerrMeasurement, AgcPercentDoesNotOverflowForAnySignalStrength) {
  const Case cases[] = {
      {INT_MAX, 3276849},   // 2147483647 * 100 / 65535, truncated
      {INT_MIN, -3276850},  // truncated towards zero
      {21474837, 32768},    // the first strength whose 32-bit product would wrap
      {-65535, -100},      {-656, -1}, {-655, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(terrAgcPercent(c.input), c.expected);
  }
}

TEST(TerrMeasurement, SnrPercentOutsideTheRegisterRange) {
  const Case cases[] = {{256, 100}, {510, 200}, {-255, -100}, {-3, -1}, {INT_MAX, 842150449}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(terrSnrPercent(c.input), c.expected);
  }
}

TEST(TerrMeasurement, BerBarHasAValueForEveryCount) {
  const Case cases[] = {
      {0, 0},                        // log2(0) is minus infinity
      {-1, 0},                       // no logarithm
      {INT_MIN, 0},  {INT_MAX, 30},  // just below 2^31
      {1 << 30, 30}, {(1 << 30) - 1, 29},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(terrBerBar(c.input), c.expected);
  }
}

TEST(TerrMeasurement, OnlyBitsThreeAndSixOfTheStatusCount) {
  struct StatusCase {
    unsigned status;
    int lock;
    int sync;
  };
  const StatusCase cases[] = {
      {0xFFFFFFFFu, 1, 1}, {0xFFFFFFB7u, 0, 0}, {0x80000008u, 1, 0}, {0x00000040u, 0, 1}};
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.status);
    EXPECT_EQ(terrLockFromStatus(c.status), c.lock);
    EXPECT_EQ(terrSyncFromStatus(c.status), c.sync);
  }
}

}  // namespace
