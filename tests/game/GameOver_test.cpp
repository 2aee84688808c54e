#include "game/GameOver.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;
using Codes = std::vector<int>;

TEST(GameOver, SendsTwentyFiveThenTwentyOneWhenItsTrackEndsAndLeaves) {
  RoundFixture f;
  GameOver banner(&f.context, nullptr);
  banner.message(kMsgBackToTitle);  // banners end only by their own timing
  RoundFixture::run(banner, 1.95f);
  EXPECT_TRUE(banner.alive());
  EXPECT_TRUE(f.probe->codes.empty());
  EXPECT_FLOAT_EQ(1.0f, banner.track().value().x);
  RoundFixture::run(banner, 0.1f);
  EXPECT_FALSE(banner.alive());
  EXPECT_EQ((Codes{25, 21}), f.probe->codes);
  banner.update(test::kStep);  // a retired banner never announces twice
  EXPECT_EQ(2u, f.probe->codes.size());
}

}  // namespace
}  // namespace orb
