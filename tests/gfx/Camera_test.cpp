#include "gfx/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gfx/GlContext.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

picojson::value cameraParams() {
  picojson::value v;
  std::string err = picojson::parse(
      v, R"({"angle": 30, "near": 1, "far": 10, "dist": 3.5, "pitch_max": 80})");
  EXPECT_TRUE(err.empty()) << err;
  return v;
}

Camera globeCamera(const Quat& orientation = Quat()) {
  Camera cam(Camera::kPerspective);
  cam.configure(cameraParams(), float(test::kGlWidth) / float(test::kGlHeight));
  cam.orientation = orientation;
  glViewport(0, 0, test::kGlWidth, test::kGlHeight);
  cam.apply();
  return cam;
}

TEST(Camera, ConfigureReadsDegreesAndComputesExtents) {
  Camera cam(Camera::kPerspective);
  cam.configure(cameraParams(), 1.5f);
  EXPECT_FLOAT_EQ(30.0f * kPi / 180.0f, cam.fov);
  EXPECT_FLOAT_EQ(80.0f * kPi / 180.0f, cam.pitchMax);
  EXPECT_EQ(3.5f, cam.distance);
  EXPECT_EQ(10.0f, cam.far);
  const float h = std::tan(cam.fov / 2);
  EXPECT_FLOAT_EQ(h, cam.halfHeight);
  EXPECT_FLOAT_EQ(h * 1.5f, cam.halfWidth);
  cam.fovIsHorizontal = 1;
  cam.setAspect(2.0f);
  EXPECT_FLOAT_EQ(h, cam.halfWidth);
  EXPECT_FLOAT_EQ(h / 2.0f, cam.halfHeight);
}

TEST(Camera, OrthoSpaceHasOriginAtCentreAndYDown) {
  ORB_REQUIRE_GL();
  Camera cam(Camera::kOrtho2D);
  cam.halfWidth = 960;
  cam.halfHeight = 640;
  glViewport(0, 0, test::kGlWidth, test::kGlHeight);
  cam.apply();
  struct Row {
    const char* name;
    Vec3 p;
    float wx, wy;
  } rows[] = {
      {"origin is the viewport centre", {0, 0, 0}, 480, 320},
      {"top-left corner", {-480, -320, 0}, 0, 640},
      {"y grows downward", {100, 50, 0}, 580, 270},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Vec3 w = cam.project(row.p, cam.modelView.data());
    EXPECT_NEAR(row.wx, w.x, 1e-3f);
    EXPECT_NEAR(row.wy, w.y, 1e-3f);
  }
  EXPECT_EQ(test::kGlWidth, cam.viewport[2]);
  EXPECT_EQ(1.0, cam.modelView[0]);
}

TEST(Camera, PickSphere) {
  ORB_REQUIRE_GL();
  const float r = 1.0f;
  const Vec3 centre;
  struct Row {
    const char* name;
    Quat orientation;
    float dx, dy;  // window offset from the viewport centre, GL window frame
    Vec3 expect;   // a component that is NaN is only checked for sign below
    int xSign;
  } rows[] = {
      {"screen centre picks the near pole of +z", Quat(), 0, 0, {0, 0, r}, 0},
      {"right of centre picks negative x (mirrored)", Quat(), 60, 0, {NAN, 0, NAN}, -1},
      {"left of centre picks positive x", Quat(), -60, 0, {NAN, 0, NAN}, 1},
      {"above centre picks positive y", Quat(), 0, 80, {0, NAN, NAN}, 0},
      {"quarter yaw shows lon 0 lat 0", quatFromAngles(0, kHalfPi), 0, 0,
       directionFromLonLat(0, 0) * r, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Camera cam = globeCamera(row.orientation);
    Vec3 hit(9, 9, 9);
    ASSERT_TRUE(pickSphere(hit, Vec2<float>(480 + row.dx, 320 + row.dy), r, centre, cam,
                           cam.modelView.data()));
    EXPECT_NEAR(r, hit.length(), 1e-4f);
    if (!std::isnan(row.expect.x)) {
      EXPECT_NEAR(row.expect.x, hit.x, 1e-4f);
    }
    if (!std::isnan(row.expect.y)) {
      EXPECT_NEAR(row.expect.y, hit.y, 1e-4f);
    }
    if (!std::isnan(row.expect.z)) {
      EXPECT_NEAR(row.expect.z, hit.z, 1e-4f);
    }
    if (row.xSign < 0) {
      EXPECT_LT(hit.x, -0.05f);
    }
    if (row.xSign > 0) {
      EXPECT_GT(hit.x, 0.05f);
    }
    if (row.dy > 0) {
      EXPECT_GT(hit.y, 0.05f);
    }
  }
}

TEST(Camera, PickOnAndOffTheSilhouette) {
  ORB_REQUIRE_GL();
  const Camera cam = globeCamera();
  const float r = 1.0f, d = cam.distance;
  // The tangent point seen from the eye at (0, 0, d) in the x-z plane.
  const Vec3 tangent(-r * std::sqrt(1 - (r * r) / (d * d)), 0, r * r / d);
  const Vec3 w = cam.project(tangent, cam.modelView.data());
  ASSERT_GT(w.x, 480.0f);  // -x lies right of centre

  Vec3 hit;
  ASSERT_TRUE(pickSphere(hit, Vec2<float>(w.x - 0.01f, w.y), r, Vec3(), cam,
                         cam.modelView.data()))
      << "a tap on the silhouette";
  EXPECT_NEAR(tangent.x, hit.x, 0.03f);
  EXPECT_NEAR(tangent.z, hit.z, 0.06f);

  Vec3 untouched(7, 7, 7);
  EXPECT_FALSE(pickSphere(untouched, Vec2<float>(w.x + 1.0f, w.y), r, Vec3(), cam,
                          cam.modelView.data()))
      << "a tap one pixel outside";
  EXPECT_EQ(Vec3(7, 7, 7), untouched);
}

TEST(Camera, ApplySavesTheInverseRotation) {
  ORB_REQUIRE_GL();
  const Quat q = quatFromAngles(0.4f, -1.1f);
  const Camera cam = globeCamera(q);
  // The eye's forward point, taken back into the globe's frame.
  const Vec3 front = cam.inverseRotation.transformPoint(Vec3(0, 0, 1));
  const Vec3 viaMatrix = Mat4::fromQuat(q).transformPoint(front);
  EXPECT_NEAR(0.0f, viaMatrix.x, 1e-5f);
  EXPECT_NEAR(1.0f, viaMatrix.z, 1e-5f);
  // Picking the centre finds that same point.
  Vec3 hit;
  ASSERT_TRUE(pickSphere(hit, Vec2<float>(480, 320), 1.0f, Vec3(), cam, cam.modelView.data()));
  EXPECT_NEAR(front.x, hit.x, 1e-4f);
  EXPECT_NEAR(front.y, hit.y, 1e-4f);
  EXPECT_NEAR(front.z, hit.z, 1e-4f);
}

}  // namespace
}  // namespace orb
