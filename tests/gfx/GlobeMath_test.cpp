#include "gfx/GlobeMath.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gfx/Mat4.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

constexpr float kTol = 2e-4f;

void expectVec(const Vec3& expected, const Vec3& actual, float tol = kTol) {
  EXPECT_NEAR(expected.x, actual.x, tol);
  EXPECT_NEAR(expected.y, actual.y, tol);
  EXPECT_NEAR(expected.z, actual.z, tol);
}

TEST(GlobeMath, LonLatRoundTrip) {
  struct Row {
    const char* name;
    float lonDeg, latDeg;
  } rows[] = {
      {"origin", 0, 0},
      {"paris", 2.35f, 48.86f},
      {"date line east", 179.9f, 10},
      {"date line west", -179.9f, -10},
      {"just east of 90W", -89.5f, 5},
      {"exactly 90E", 90, 0},
      {"exactly 90W", -90, 0},
      {"near north pole", 45, 89.9f},
      {"near south pole", -135, -89.9f},
      {"southern hemisphere, west", -60, -35},
      {"antarctic date line", 179, -80},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const float lon = row.lonDeg * kDegToRad;
    const float lat = row.latDeg * kDegToRad;
    const Vec3 d = directionFromLonLat(lon, lat);
    EXPECT_NEAR(1.0f, d.length(), 1e-6f);
    const Vec2<float> back = lonLatFromDirection(d);
    // Longitude loses accuracy with cos(lat); compare on the ground instead.
    const float tol = std::fabs(row.latDeg) > 89 ? 2e-2f : 1e-3f;
    EXPECT_NEAR(lon, back.x, tol);
    EXPECT_NEAR(lat, back.y, 1e-4f);
  }
}

TEST(GlobeMath, LonLatSpecialDirections) {
  struct Row {
    const char* name;
    Vec3 dir;
    float lon, lat;
  } rows[] = {
      {"north pole has lon 0", {0, 1, 0}, 0, kHalfPi},
      {"south pole has lon 0", {0, -5, 0}, 0, -kHalfPi},
      {"lon 0 lat 0 is -x", {-1, 0, 0}, 0, 0},
      {"+x on the date line reads -pi", {2, 0, 0}, -kPi, 0},
      {"+z is 90 east", {0, 0, 1}, kHalfPi, 0},
      {"unnormalised input", {0, 0, -3}, -kHalfPi, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Vec2<float> ll = lonLatFromDirection(row.dir);
    EXPECT_NEAR(row.lon, ll.x, 1e-5f);
    EXPECT_NEAR(row.lat, ll.y, 1e-5f);
  }
}

TEST(GlobeMath, MapPoints) {
  struct Row {
    const char* name;
    float mx, my;
    Vec3 dir;
  } rows[] = {
      {"map centre is lon 0 lat 0", 0, 0, {-1, 0, 0}},
      {"top edge is the north pole", 0, -1, {0, 1, 0}},
      {"bottom edge is the south pole", 0.3f, 1, {0, -1, 0}},
      {"right edge is the date line", 1, 0, {1, 0, 0}},
      {"left edge is the date line", -1, 0, {1, 0, 0}},
      {"half right is 90 west", 0.5f, 0, {0, 0, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    expectVec(row.dir, directionFromMap(row.mx, row.my));
    expectVec(row.dir, directionFromMap(Vec2<float>(row.mx, row.my)));
  }
  // Map coordinates and lon/lat describe the same point.
  const Vec2<float> ll = lonLatFromDirection(directionFromMap(-0.25f, 0.4f));
  EXPECT_NEAR(0.25f * kPi, ll.x, 1e-4f);
  EXPECT_NEAR(-0.2f * kPi, ll.y, 1e-4f);
}

TEST(GlobeMath, AnglesRoundTrip) {
  struct Row {
    const char* name;
    float pitch, yaw;
  } rows[] = {
      {"identity", 0, 0},
      {"yaw only", 0, 1.2f},
      {"negative yaw", 0, -2.5f},
      {"yaw half turn", 0, kPi},
      {"tilted north", 0.7f, 0.3f},
      {"tilted south, west", -0.9f, -1.4f},
      {"steep tilt", 1.5f, 2.9f},
      {"pitch exactly up", kHalfPi, 0.8f},
      {"pitch exactly down", -kHalfPi, 0.4f},
      {"near half turn, west", -0.2f, -3.1f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Quat q = quatFromAngles(row.pitch, row.yaw);
    EXPECT_NEAR(1.0f, std::sqrt(q.dot(q)), 1e-6f);
    const Vec2<float> back = anglesFromQuat(q);
    EXPECT_NEAR(row.pitch, back.x, 2e-3f);
    // Yaw pi and -pi are one orientation; float pi rounds past the true one.
    const float yawError = std::remainder(row.yaw - back.y, kTwoPi);
    EXPECT_NEAR(0.0f, yawError, 2e-3f);
  }
}

TEST(GlobeMath, QuatFromAnglesTurnsYawFirst) {
  // A globe turned by yaw and then tilted: the tilt must act about the
  // screen's x axis, so the pole moves towards the viewer whatever the yaw.
  const Quat q = quatFromAngles(0.5f, 1.0f);
  const Vec3 pole = Mat4::fromQuat(q).transformPoint(Vec3(0, 1, 0));
  expectVec(Vec3(0, std::cos(0.5f), std::sin(0.5f)), pole, 1e-5f);
}

}  // namespace
}  // namespace orb
