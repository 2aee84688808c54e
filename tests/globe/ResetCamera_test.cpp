#include "globe/ResetCamera.h"

#include <gtest/gtest.h>

#include "GlobeScene.h"

namespace orb {
namespace {

using test::GlobeScene;

constexpr float kStep = 1.0f / 60.0f;

class ResetCameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
    scene = std::make_unique<GlobeScene>(-1);
    scene->camera.distance = 6000.0f;
    scene->camera.orientation = quatFromAngles(0.0f, 0.0f);
  }
  std::unique_ptr<GlobeScene> scene;
};

TEST_F(ResetCameraTest, OneSecondMoveEndsExactlyAtItsTargetsAndAnnouncesOnce) {
  ResetCamera move(&scene->context);
  move.easing = 21;
  move.setTarget(0.4f, 2.0f, false);
  move.targetDist = 600.0f;
  int frames = 0;
  float last = scene->camera.distance;
  while (move.alive() && frames < 200) {
    move.update(kStep);
    ++frames;
    if (move.alive()) {
      EXPECT_LE(scene->camera.distance, last);  // monotone towards the target
      last = scene->camera.distance;
      EXPECT_EQ(0, scene->probe->count(49));
    }
  }
  // Ends on the first update in which elapsed exceeds 1.0 s.
  EXPECT_EQ(61, frames);
  EXPECT_EQ(600.0f, scene->camera.distance);
  const Quat target = quatFromAngles(0.4f, 2.0f);
  EXPECT_EQ(target.x, scene->camera.orientation.x);
  EXPECT_EQ(target.w, scene->camera.orientation.w);
  EXPECT_EQ(1, scene->probe->count(49));
  move.update(kStep);
  move.message(10);
  EXPECT_EQ(1, scene->probe->count(49));
}

TEST_F(ResetCameraTest, HalfWayTheOrientationIsBetween) {
  ResetCamera move(&scene->context);
  move.setTarget(0.0f, 1.0f, false);
  for (int i = 0; i < 30; ++i) move.update(kStep);
  const Vec2<float> angles = anglesFromQuat(scene->camera.orientation);
  EXPECT_NEAR(0.5f, angles.y, 0.02f);  // linear easing
}

TEST_F(ResetCameraTest, DelayWaitsAndTakesTheOrientationWhenItEnds) {
  ResetCamera move(&scene->context);
  move.delay = 0.5f;
  move.setTarget(0.0f, 1.0f, false);
  for (int i = 0; i < 20; ++i) move.update(kStep);
  EXPECT_FLOAT_EQ(6000.0f, scene->camera.distance);
  scene->camera.orientation = quatFromAngles(0.0f, 0.6f);  // the player turned the globe meanwhile
  for (int i = 0; i < 15; ++i) move.update(kStep);
  EXPECT_LT(scene->camera.distance, 6000.0f);
  EXPECT_NEAR(0.6f, anglesFromQuat(move.startOrientation).y, 1e-4f);
}

TEST_F(ResetCameraTest, ImmediateTargetTurnsTheCameraAtOnce) {
  ResetCamera move(&scene->context);
  move.setTarget(0.2f, -1.0f, true);
  const Vec2<float> angles = anglesFromQuat(scene->camera.orientation);
  EXPECT_NEAR(0.2f, angles.x, 1e-4f);
  EXPECT_NEAR(-1.0f, angles.y, 1e-4f);
}

TEST_F(ResetCameraTest, SkipMessagesFinishAtOnce) {
  for (int code : {10, 32}) {
    ResetCamera move(&scene->context);
    move.targetDist = 500.0f + static_cast<float>(code);
    move.message(code);
    EXPECT_FALSE(move.alive());
    EXPECT_FLOAT_EQ(move.targetDist, scene->camera.distance);
  }
  EXPECT_EQ(2, scene->probe->count(49));
  ResetCamera other(&scene->context);
  other.message(11);
  EXPECT_TRUE(other.alive());
}

TEST_F(ResetCameraTest, RandomDistanceIsAPresetFactorOfTheBase) {
  ResetCamera move(&scene->context);
  const picojson::value& factors = json::at(json::at(scene->params.root(), "reset_camera"), "dist");
  for (int i = 0; i < 20; ++i) {
    move.pickRandomDistance();
    bool found = false;
    for (std::size_t k = 0; k < json::size(factors); ++k)
      found = found || move.targetDist == move.baseDist * json::realAt(factors, k);
    EXPECT_TRUE(found) << move.targetDist;
  }
}

}  // namespace
}  // namespace orb
