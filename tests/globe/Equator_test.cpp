#include "globe/Equator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orb {
namespace {

TEST(Equator, FogStartsAtTheSilhouetteDepth) {
  float start = 0, end = 0;
  Equator::fogRange(450.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  // D cos^2(asin(r / D)) = D - r^2 / D.
  EXPECT_NEAR(450.0f - 100.0f * 100.0f / 450.0f, start, 0.01f);
}

TEST(Equator, FogAtTheFarDistanceReachesThreeHundredBeyondTheSilhouette) {
  float start = 0, end = 0;
  Equator::fogRange(3000.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(start + 300.0f, end, 0.01f);
  // Nearer cameras have a longer fog reach: the far half fades more gradually.
  Equator::fogRange(450.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(start + 350.0f - 7.5f, end, 0.01f);
}

TEST(Equator, CameraInsideTheGlobeDoesNotMakeNaN) {
  float start = 1, end = 1;
  Equator::fogRange(50.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(0.0f, start, 1e-3f);
  EXPECT_FALSE(std::isnan(end));
}

}  // namespace
}  // namespace orb
