#include "task/FrameClock.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(FrameClock, StepIsClampedBetweenHalfAndTwiceTheNominalFrame) {
  const float nominal = 1.0f / 60.0f;
  EXPECT_FLOAT_EQ(FrameClock::clampStep(0.200, nominal), 2 * nominal);  // a 200 ms stall
  EXPECT_FLOAT_EQ(FrameClock::clampStep(0.002, nominal), nominal / 2);  // a 2 ms frame
  EXPECT_FLOAT_EQ(FrameClock::clampStep(0.020, nominal), 0.020f);
  EXPECT_FLOAT_EQ(FrameClock::clampStep(5 * nominal, nominal), 2 * nominal);
}

TEST(FrameClock, TickMeasuresElapsedWholeMilliseconds) {
  FrameClock clock;
  const double first = clock.tick();
  EXPECT_GE(first, 0.0);
  EXPECT_LT(first, 1.0);
  const double ms = first * 1000.0;
  EXPECT_DOUBLE_EQ(ms, static_cast<double>(static_cast<long>(ms + 0.5)));
}

}  // namespace
}  // namespace orb
