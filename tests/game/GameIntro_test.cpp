#include "game/GameIntro.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;
using Codes = std::vector<int>;

TEST(GameIntro, WaitsThenShowsItsCaptionThenSendsTwenty) {
  RoundFixture f;
  GameIntro intro(&f.context, nullptr);
  intro.message(kMsgBackToTitle);  // the intro ends only by its own timing
  RoundFixture::run(intro, 0.45f);
  EXPECT_FALSE(intro.showing()) << "nothing during the delay";
  RoundFixture::run(intro, 0.1f);
  EXPECT_TRUE(intro.showing());
  EXPECT_GT(intro.alpha(), 0.0f);
  EXPECT_LT(intro.alpha(), 1.0f) << "fading in";
  RoundFixture::run(intro, 1.0f);
  EXPECT_EQ(1.0f, intro.alpha());
  RoundFixture::run(intro, 0.85f);  // 2.4 s in: 0.1 s before the end
  EXPECT_TRUE(f.probe->codes.empty());
  EXPECT_LT(intro.alpha(), 1.0f) << "fading out";
  RoundFixture::run(intro, 0.15f);
  EXPECT_FALSE(intro.alive());
  EXPECT_EQ(Codes{20}, f.probe->codes);
}

TEST(GameIntro, DemonstrationPlaySendsTwentyAtTheFirstUpdate) {
  RoundFixture f;
  f.context.demonstration = true;
  GameIntro intro(&f.context, nullptr);
  EXPECT_TRUE(f.probe->codes.empty());
  intro.update(test::kStep);
  EXPECT_EQ(Codes{20}, f.probe->codes);
  EXPECT_FALSE(intro.alive());
}

}  // namespace
}  // namespace orb
