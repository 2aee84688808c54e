#include "game/TouchJust.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"

namespace orb {
namespace {

using test::RoundFixture;

TEST(TouchJust, ShowsTheStreakFromTwoWithOneOrTwoDigits) {
  RoundFixture f;
  EXPECT_FALSE(TouchJust(&f.context, nullptr, 1).showsStreak());
  TouchJust two(&f.context, nullptr, 2);
  EXPECT_TRUE(two.showsStreak());
  EXPECT_EQ(1, two.streakDigits());
  EXPECT_EQ(1, TouchJust(&f.context, nullptr, 9).streakDigits());
  EXPECT_EQ(2, TouchJust(&f.context, nullptr, 10).streakDigits());
}

TEST(TouchJust, SweepsInAlongItsTrackAndLeavesWhenItEnds) {
  RoundFixture f;
  TouchJust just(&f.context, nullptr, 3);
  EXPECT_EQ(200.0f, just.track().value().x);
  EXPECT_EQ(0.0f, just.track().value().y);
  RoundFixture::run(just, 0.5f);
  EXPECT_EQ(0.0f, just.track().value().x);
  EXPECT_EQ(1.0f, just.track().value().y);
  RoundFixture::run(just, 0.45f);
  EXPECT_TRUE(just.alive());
  RoundFixture::run(just, 0.1f);
  EXPECT_FALSE(just.alive());
}

TEST(TouchJust, SceneEndRetiresAtOnce) {
  RoundFixture f;
  TouchJust just(&f.context, nullptr, 2);
  just.message(25);
  EXPECT_TRUE(just.alive());
  just.message(12);
  EXPECT_FALSE(just.alive());
}

}  // namespace
}  // namespace orb
