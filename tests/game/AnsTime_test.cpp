#include "game/AnsTime.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "gfx/MathConstants.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

struct AnsTimeRound : ::testing::Test {
  RoundFixture f;
  AnsTime gauge{&f.context, nullptr};

  // The answer clock at fraction of a 10 s answer time, then one frame.
  void clockAt(float fraction) {
    f.context.answerTime = 10.0f;
    f.context.answerClock = 10.0f * fraction;
    gauge.update(test::kStep);
  }
};

TEST_F(AnsTimeRound, FollowsTheAnswerClockOnlyAfterAQuestionOpens) {
  clockAt(0.5f);
  EXPECT_FLOAT_EQ(kTwoPi, gauge.sweep()) << "full until the first question";
  gauge.message(kMsgTapsOn);
  clockAt(0.5f);
  EXPECT_FLOAT_EQ(kPi, gauge.sweep());
  f.context.answerClock = -0.5f;  // overshoot of the last frame
  gauge.update(test::kStep);
  EXPECT_EQ(0.0f, gauge.sweep());
}

TEST_F(AnsTimeRound, RedOnlyWhileOpenAndUnderAQuarter) {
  gauge.message(kMsgTapsOn);
  clockAt(0.30f);
  EXPECT_FALSE(gauge.danger());
  clockAt(0.24f);
  EXPECT_TRUE(gauge.danger());
  gauge.message(kMsgCorrect);  // answered: the question is closed, though the pie is still low
  EXPECT_FALSE(gauge.danger());
  gauge.message(kMsgTapsOn);
  clockAt(0.1f);
  EXPECT_TRUE(gauge.danger());
  gauge.message(kMsgGameEnding);  // game over
  EXPECT_FALSE(gauge.danger());
}

TEST_F(AnsTimeRound, RefillsAfterACorrectAnswerInHalfASecondAndAfterATimeOutInOne) {
  gauge.message(kMsgTapsOn);
  clockAt(0.5f);
  gauge.message(kMsgCorrect);
  f.context.answerClock = 0.0f;  // the round zeroes the clock; the pie must not follow it
  RoundFixture::run(gauge, 0.25f);
  EXPECT_GT(gauge.sweep(), kPi);
  EXPECT_LT(gauge.sweep(), kTwoPi);
  RoundFixture::run(gauge, 0.3f);
  EXPECT_FLOAT_EQ(kTwoPi, gauge.sweep());

  gauge.message(kMsgTapsOn);
  clockAt(0.0f);
  gauge.message(kMsgTimeOut);
  RoundFixture::run(gauge, 0.55f);
  EXPECT_LT(gauge.sweep(), kTwoPi) << "a time-out refills over a whole second";
  RoundFixture::run(gauge, 0.5f);
  EXPECT_FLOAT_EQ(kTwoPi, gauge.sweep());
}

TEST_F(AnsTimeRound, GameOverStopsTheRefillWhereItIs) {
  gauge.message(kMsgTapsOn);
  clockAt(0.2f);
  gauge.message(kMsgCorrect);
  RoundFixture::run(gauge, 0.1f);
  gauge.message(kMsgGameEnding);
  const float stopped = gauge.sweep();
  RoundFixture::run(gauge, 1.0f);
  EXPECT_EQ(stopped, gauge.sweep());
  EXPECT_LT(stopped, kTwoPi);
}

TEST_F(AnsTimeRound, SlidesInFromTheRightAndLeavesAfterItsSlideOut) {
  EXPECT_EQ(200.0f, gauge.slide().x());
  EXPECT_EQ(0.0f, gauge.slide().alpha());
  RoundFixture::run(gauge, 1.05f);
  EXPECT_EQ(0.0f, gauge.slide().x());
  EXPECT_EQ(1.0f, gauge.slide().alpha());
  gauge.message(kMsgHudLeave);
  RoundFixture::run(gauge, 0.95f);
  EXPECT_TRUE(gauge.alive());
  RoundFixture::run(gauge, 0.1f);
  EXPECT_FALSE(gauge.alive());

  AnsTime other(&f.context, nullptr);
  other.message(kMsgBackToTitle);
  EXPECT_FALSE(other.alive()) << "the scene's end retires it at once";
}

}  // namespace
}  // namespace orb
