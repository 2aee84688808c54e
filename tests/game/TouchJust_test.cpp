#include "game/TouchJust.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

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
  EXPECT_TRUE(just.showsStreak());
  EXPECT_FALSE(TouchJust(&f.context, nullptr, 1).showsStreak()) << "a streak shows from two";
  EXPECT_EQ(2, TouchJust(&f.context, nullptr, 10).streakDigits());

  TouchJust other(&f.context, nullptr, 2);
  other.message(kMsgBackToTitle);
  EXPECT_FALSE(other.alive()) << "the scene's end retires it at once";
}

}  // namespace
}  // namespace orb
