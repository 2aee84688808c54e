#include "game/PlayTime.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

struct PlayTimeRound : ::testing::Test {
  RoundFixture f;
  std::unique_ptr<PlayTime> clock;
  void SetUp() override {
    f.context.gameClock = 60.0f;
    clock = std::make_unique<PlayTime>(&f.context, nullptr);
  }
};

TEST_F(PlayTimeRound, PulsesRedUnderTenSecondsOnlyOnceAQuestionWasShown) {
  f.context.gameClock = 9.5f;
  clock->update(test::kStep);
  EXPECT_EQ(1.0f, clock->colour().g) << "no question yet: white";
  f.context.questionShown = true;
  f.context.gameClock = 9.99f;  // a second has just begun
  clock->update(test::kStep);
  EXPECT_EQ(0.0f, clock->colour().g);
  EXPECT_NEAR(1.0f, clock->colour().r, 0.01f);
  f.context.gameClock = 9.5f;  // half-way through the second
  clock->update(test::kStep);
  EXPECT_GT(clock->colour().r, 0.5f);
  EXPECT_LT(clock->colour().r, 0.9f);
  f.context.gameClock = 9.01f;  // the end of the second: darkest
  clock->update(test::kStep);
  EXPECT_NEAR(0.5f, clock->colour().r, 0.01f);
}

TEST_F(PlayTimeRound, GameOverFreezesTheColour) {
  f.context.questionShown = true;
  f.context.gameClock = 3.3f;
  clock->update(test::kStep);
  const float red = clock->colour().r;
  clock->message(kMsgGameEnding);
  f.context.gameClock = 0.0f;
  RoundFixture::run(*clock, 0.5f);
  EXPECT_EQ(red, clock->colour().r);
  EXPECT_EQ(0.0f, clock->colour().g);
}

TEST_F(PlayTimeRound, LeavesAfterItsSlideOutAndAtOnceOnSceneEnd) {
  RoundFixture::run(*clock, 1.0f);
  clock->message(kMsgHudLeave);
  RoundFixture::run(*clock, 1.45f);
  EXPECT_TRUE(clock->alive());
  RoundFixture::run(*clock, 0.1f);
  EXPECT_FALSE(clock->alive());
  EXPECT_EQ(-220.0f, clock->slide().x());

  PlayTime other(&f.context, nullptr);
  other.message(kMsgBackToTitle);
  EXPECT_FALSE(other.alive());
}

}  // namespace
}  // namespace orb
