#include "game/Distance.h"

#include <gtest/gtest.h>

#include <cmath>

#include "RoundFixture.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;

// A globe point (radius 100, as the globe is drawn) at lon/lat in degrees.
Vec3 at(float lonDeg, float latDeg, float radius = 100.0f) {
  const float lon = lonDeg * kDegToRad, lat = latDeg * kDegToRad;
  return Vec3(std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)) * radius;
}

TEST(DistanceMeasure, GreatCircleOnTheEquatorialSphere) {
  // A quarter of the way round the earth, measured between points of different radii.
  EXPECT_NEAR(Distance::measure(at(0, 0), {at(90, 0, 1.0f)}), kHalfPi * 6378.137f, 0.5f);
  // One degree of latitude.
  EXPECT_NEAR(Distance::measure(at(10, 20), {at(10, 21, 1.0f)}), 111.32f, 0.2f);
  // The same point: a few km of single-precision rounding at most, never NaN
  // from a cosine that rounds above 1.
  const float same = Distance::measure(at(33, -12), {at(33, -12, 1.0f)});
  EXPECT_GE(same, 0.0f);
  EXPECT_LT(same, 5.0f);
}

TEST(DistanceMeasure, NearestPolygonCentreWins) {
  const std::vector<Vec3> centres = {at(100, 0, 1.0f), at(5, 0, 1.0f), at(-60, 0, 1.0f)};
  EXPECT_NEAR(Distance::measure(at(0, 0), centres), 5.0f * kDegToRad * 6378.137f, 0.5f);
  // No centres, or a zero touch point: defined values, not NaN.
  EXPECT_EQ(Distance::kFarAway, Distance::measure(at(0, 0), {}));
  EXPECT_EQ(0.0f, Distance::measure(Vec3(), centres));
}

struct DistanceRound : ::testing::Test {
  RoundFixture f;
  Distance distance{&f.context, nullptr};

  void tapAt(float lon, float lat) { f.context.touchPoint = at(lon, lat); }
  void placeAt(float lon, float lat) { f.context.answerPoints = {at(lon, lat, 1.0f)}; }
  void settle() { RoundFixture::run(distance, 1.0f); }
};

TEST_F(DistanceRound, FirstQuestionShowsZeroAndDoesNotCount) {
  placeAt(0, 0);
  distance.message(kMsgNewQuestion);
  settle();
  EXPECT_EQ(0.0f, distance.shownValue());
  EXPECT_FALSE(distance.arrow());
}

TEST_F(DistanceRound, FirstMissCountsWithoutArrowAndLaterMissesPointTheWay) {
  placeAt(0, 0);
  distance.message(kMsgNewQuestion);
  tapAt(20, 0);
  distance.message(kMsgMiss);
  EXPECT_FALSE(distance.arrow()) << "no arrow on the game's first judgement";
  settle();
  const float first = 20.0f * kDegToRad * 6378.137f;
  EXPECT_NEAR(first, distance.shownValue(), 1.0f);

  tapAt(10, 0);  // closer than the value shown
  distance.message(kMsgMiss);
  EXPECT_TRUE(distance.arrow());
  EXPECT_TRUE(distance.closer());
  settle();
  EXPECT_NEAR(first / 2.0f, distance.shownValue(), 1.0f);

  tapAt(0, 30);  // farther
  distance.message(kMsgMiss);
  EXPECT_TRUE(distance.arrow());
  EXPECT_FALSE(distance.closer());
}

TEST_F(DistanceRound, AfterAJudgementEachQuestionCountsFromTheLastTapToTheNewPlace) {
  placeAt(0, 0);
  distance.message(kMsgNewQuestion);
  tapAt(0, 0);
  distance.message(kMsgCorrect);  // correct: counts down to 0, no arrow
  settle();
  EXPECT_EQ(0.0f, distance.shownValue());

  placeAt(30, 0);  // the next place; the touch point is still the last tap
  distance.message(kMsgNewQuestion);
  EXPECT_FALSE(distance.arrow());
  distance.update(0.25f);
  const float expected = 30.0f * kDegToRad * 6378.137f;
  EXPECT_GT(distance.shownValue(), 0.0f);
  EXPECT_LT(distance.shownValue(), expected);
  settle();
  EXPECT_NEAR(expected, distance.shownValue(), 1.0f);
}

TEST_F(DistanceRound, SlidesInThenLeavesAfterTheGameOverBanner) {
  EXPECT_EQ(240.0f, distance.slide().x());
  RoundFixture::run(distance, 0.85f);
  EXPECT_EQ(0.0f, distance.slide().x());
  distance.message(kMsgHudLeave);
  RoundFixture::run(distance, 1.2f);
  EXPECT_TRUE(distance.alive());
  RoundFixture::run(distance, 0.1f);
  EXPECT_FALSE(distance.alive());
  EXPECT_EQ(240.0f, distance.slide().x());

  Distance other(&f.context, nullptr);
  other.message(kMsgBackToTitle);
  EXPECT_FALSE(other.alive()) << "the scene's end retires it at once";
}

}  // namespace
}  // namespace orb
