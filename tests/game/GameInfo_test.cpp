#include "game/GameInfo.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

struct GameInfoRound : ::testing::Test {
  RoundFixture f;
  GameInfo info{&f.context, nullptr};
};

TEST_F(GameInfoRound, ShowsTheBannerOfEachCodeAtOnce) {
  EXPECT_EQ(GameInfo::kNone, info.showing());
  info.message(kMsgLevelUp);
  EXPECT_EQ(GameInfo::kLevelUp, info.showing());
  info.message(kMsgAnswerTimeShort);
  EXPECT_EQ(GameInfo::kHurryUp, info.showing());
  info.message(kMsgGameClockShort);
  EXPECT_EQ(GameInfo::kTimeShort, info.showing());
}

TEST_F(GameInfoRound, FliesInFromTheRightAndOutToTheLeftThenDisappears) {
  info.message(kMsgLevelUp);
  // (960 / 2 + 250) times the track's x, which starts at 1.
  EXPECT_FLOAT_EQ(730.0f, info.offsetX());
  EXPECT_EQ(0.0f, info.alpha());
  info.update(test::kStep);
  EXPECT_LT(info.offsetX(), 730.0f);
  RoundFixture::run(info, 1.0f);  // holding in the middle
  EXPECT_EQ(0.0f, info.offsetX());
  EXPECT_EQ(1.0f, info.alpha());
  RoundFixture::run(info, 0.75f);  // 1.77 s: flying out
  EXPECT_LT(info.offsetX(), 0.0f);
  RoundFixture::run(info, 0.3f);  // past the 2.0 s of both tracks
  EXPECT_EQ(GameInfo::kNone, info.showing());
}

TEST_F(GameInfoRound, DoBestWaitsForItsDelay) {
  info.message(kMsgDoYourBest);
  RoundFixture::run(info, 0.7f);
  EXPECT_EQ(GameInfo::kNone, info.showing());
  RoundFixture::run(info, 0.1f);
  EXPECT_EQ(GameInfo::kDoBest, info.showing());
}

TEST_F(GameInfoRound, SceneEndRetiresAtOnceButGameOverDoesNot) {
  info.message(kMsgHudLeave);
  info.message(kMsgGameEnding);
  EXPECT_TRUE(info.alive());
  info.message(kMsgBackToTitle);
  EXPECT_FALSE(info.alive());
}

}  // namespace
}  // namespace orb
