// The level and found-places counters share their behaviour: what they show,
// how they slide, when they leave.
#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "game/PlayKonahen.h"
#include "game/PlayLevel.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

template <typename Counter>
struct CounterTest : ::testing::Test {};
using Counters = ::testing::Types<PlayLevel, PlayKonahen>;
TYPED_TEST_SUITE(CounterTest, Counters);

TYPED_TEST(CounterTest, SlidesInFromTheLeftAndLeavesAfterItsSlideOut) {
  RoundFixture f;
  TypeParam counter(&f.context, nullptr);
  EXPECT_LT(counter.slide().x(), -100.0f);
  RoundFixture::run(counter, 1.05f);
  EXPECT_EQ(0.0f, counter.slide().x());
  counter.message(kMsgHudLeave);
  RoundFixture::run(counter, 1.45f);
  EXPECT_TRUE(counter.alive());
  RoundFixture::run(counter, 0.1f);
  EXPECT_FALSE(counter.alive());
  EXPECT_EQ(-220.0f, counter.slide().x());
}

TYPED_TEST(CounterTest, SceneEndRetiresAtOnceAndOtherCodesAreIgnored) {
  RoundFixture f;
  TypeParam counter(&f.context, nullptr);
  for (int code : {11, 14, 17, 18, 19, 23, 26}) counter.message(code);
  EXPECT_TRUE(counter.alive());
  counter.message(kMsgBackToTitle);
  EXPECT_FALSE(counter.alive());
}

}  // namespace
}  // namespace orb
