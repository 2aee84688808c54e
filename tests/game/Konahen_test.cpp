#include "game/Konahen.h"

#include <gtest/gtest.h>

#include <cmath>

#include "RoundFixture.h"
#include "gfx/MathConstants.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

TEST(Konahen, RingMeshRunsInnerOuterPairsRoundTwiceInTexture) {
  RoundFixture f;  // no texture cache: the rows fill the whole texture height
  Konahen ring(&f.context);
  const auto& p = ring.positions();
  const auto& t = ring.texCoords();
  ASSERT_EQ(2u * (8 + 1), p.size());
  ASSERT_EQ(p.size(), t.size());
  // Starts on +y and turns towards -x (a = -2 pi i / div).
  EXPECT_FLOAT_EQ(1.0f, p[0].y);
  EXPECT_FLOAT_EQ(1.5f, p[1].y);
  EXPECT_LT(p[2].x, 0.0f);
  EXPECT_NEAR(std::sqrt(p[2].x * p[2].x + p[2].y * p[2].y), 1.0f, 1e-6f);
  EXPECT_NEAR(std::sqrt(p[3].x * p[3].x + p[3].y * p[3].y), 1.5f, 1e-6f);
  // The last pair closes the ring on the first.
  EXPECT_NEAR(p[16].x, p[0].x, 1e-5f);
  EXPECT_NEAR(p[17].y, p[1].y, 1e-5f);
  EXPECT_EQ(0.0f, t[0].x);
  EXPECT_EQ(0.0f, t[0].y);
  EXPECT_EQ(1.0f, t[1].y);
  EXPECT_FLOAT_EQ(0.25f, t[2].x);
  EXPECT_FLOAT_EQ(2.0f, t[17].x);
}

TEST(Konahen, CorrectAnswerStartsTheRingAtTheTappedPointWhichSpinsUntilTheTrackEnds) {
  RoundFixture f;
  Konahen ring(&f.context);
  EXPECT_FALSE(ring.showing());
  f.context.touchPoint = Vec3(0.0f, 100.0f, 0.0f);
  ring.message(kMsgCorrect);
  f.context.touchPoint = Vec3(1.0f, 2.0f, 3.0f);  // a later time-out moves the touch point
  EXPECT_TRUE(ring.showing());
  EXPECT_EQ(Vec3(0.0f, 100.0f, 0.0f), ring.point());
  EXPECT_EQ(0.0f, ring.scale());
  RoundFixture::run(ring, 0.4f);
  EXPECT_NEAR(36.0f, ring.spin(), 0.01f);  // 90 degrees per second
  EXPECT_NEAR(4.0f, ring.scale(), 0.01f) << "size 4 times the track's 1";
  RoundFixture::run(ring, 0.55f);
  EXPECT_TRUE(ring.showing());
  RoundFixture::run(ring, 0.1f);
  EXPECT_FALSE(ring.showing());
  EXPECT_EQ(0.0f, ring.alpha());

  ring.message(kMsgCorrect);  // the next correct answer starts it again from the beginning
  EXPECT_TRUE(ring.showing());
  EXPECT_EQ(0.0f, ring.spin());
  EXPECT_TRUE(ring.alive());
  ring.message(kMsgBackToTitle);
  EXPECT_FALSE(ring.alive());
}

}  // namespace
}  // namespace orb
