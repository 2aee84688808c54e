#include "globe/Control.h"

#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "gfx/Mat4.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"

namespace orb {
namespace {

using test::GlobeScene;

constexpr float kStep = 1.0f / 60.0f;
constexpr float kCx = test::kWinW / 2.0f;
constexpr float kCy = test::kWinH / 2.0f;

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
    scene = std::make_unique<GlobeScene>(-1);
    world = std::make_unique<GameWorld>(&scene->context);
    scene->camera.distance = scene->param("camera", "dist");
    scene->camera.orientation = quatFromAngles(0.3f, 1.0f);
    control = std::make_unique<Control>(&scene->context);
    frame();
  }

  // One game frame: control first (layer 0), then the globe draw that saves the matrices.
  void frame() {
    control->update(kStep);
    if (renderFrames) scene->render(*world);
  }

  void press(float x, float y) { scene->touch.began({touch(x, y, x, y)}); }
  void moveTo(float x, float y, float px, float py) { scene->touch.moved({touch(x, y, px, py)}); }
  void release(float x, float y) { scene->touch.ended({touch(x, y, x, y)}); }
  // A straight drag in n moves, one frame after each.
  void drag(float x0, float y0, float x1, float y1, int n, bool withFrames = true) {
    press(x0, y0);
    float px = x0, py = y0;
    for (int i = 1; i <= n; ++i) {
      const float x = x0 + (x1 - x0) * i / n, y = y0 + (y1 - y0) * i / n;
      moveTo(x, y, px, py);
      px = x;
      py = y;
      if (withFrames) frame();
    }
    release(x1, y1);
  }
  void tap(float x, float y) {
    press(x, y);
    release(x, y);
  }
  static Touch touch(float x, float y, float px, float py) {
    Touch t;
    t.x = x;
    t.y = y;
    t.prevX = px;
    t.prevY = py;
    return t;
  }
  int answers() const { return scene->probe->count(16); }

  std::unique_ptr<GlobeScene> scene;
  std::unique_ptr<GameWorld> world;
  std::unique_ptr<Control> control;
  bool renderFrames = true;  // off where only the camera maths matters (software GL is slow)
};

TEST_F(ControlTest, LeavesTheDispatcherWhenDestroyed) {
  ASSERT_EQ(1u, scene->touch.receivers().size());
  control.reset();
  EXPECT_TRUE(scene->touch.receivers().empty());
}

TEST_F(ControlTest, TapOnTheGlobeAnswersOnlyWhileTapsAreOn) {
  tap(kCx, kCy);
  EXPECT_EQ(0, answers());  // taps start switched off
  control->message(14);
  tap(kCx, kCy);
  EXPECT_EQ(1, answers());
  EXPECT_TRUE(scene->context.touchHit);
  EXPECT_TRUE(control->lastHit);
  // The picked point lies on the globe, facing the viewer.
  EXPECT_NEAR(scene->earth->radius, scene->context.touchPoint.length(), 0.01f);
  control->message(15);
  tap(kCx, kCy);
  EXPECT_EQ(1, answers());
}

TEST_F(ControlTest, ShortDragAnswersLongDragOnlyTurns) {
  control->message(14);
  const float len = control->tapLimit;
  drag(kCx, kCy, kCx + len * 0.5f, kCy, 3);
  EXPECT_EQ(1, answers());
  const Quat before = scene->camera.orientation;
  drag(kCx, kCy, kCx + len * 3.0f, kCy, 6);
  EXPECT_EQ(1, answers());
  EXPECT_LT(std::fabs(before.dot(scene->camera.orientation)), 0.99999f);
}

TEST_F(ControlTest, ATouchHeldByAButtonNeitherAnswersNorTurnsTheGlobe) {
  // The menu registers after the control, as in the game.
  auto menu = std::make_shared<TouchMenu>(&scene->touch);
  scene->context.touchMenu = menu;
  picojson::value v;
  picojson::parse(v, R"({"pos":[0,0],"size":[120,120],"uv":[0,0],"col":[1,1,1,1]})");
  static const int kScreen[2] = {test::kWinW, test::kWinH};
  auto button = std::make_shared<Widget>(v, nullptr, kScreen);
  int presses = 0;
  menu->add(button, [&](int kind, const Vec2<float>&, Widget&) { presses += kind == TouchMenu::kReleasedOn; });
  control->message(14);

  tap(kCx, kCy);  // on the button, over the globe
  EXPECT_EQ(1, presses);
  EXPECT_EQ(0, answers()) << "a button press is not an answer";
  const Quat before = scene->camera.orientation;
  drag(kCx, kCy, kCx + control->tapLimit * 3.0f, kCy, 6);
  EXPECT_GT(std::fabs(before.dot(scene->camera.orientation)), 0.99999f) << "a drag from a button does not turn";
  EXPECT_EQ(0, answers());

  tap(kCx + 200.0f, kCy);  // beside the button, still on the globe
  EXPECT_EQ(1, answers());
  scene->context.touchMenu.reset();
}

TEST_F(ControlTest, TapBesideTheGlobeSendsNothingAndClearsTheHitFlag) {
  control->message(14);
  tap(kCx, kCy);
  ASSERT_TRUE(scene->context.touchHit);
  const Vec3 point = scene->context.touchPoint;
  tap(20.0f, 20.0f);  // a window corner: black space
  EXPECT_EQ(1, answers());
  EXPECT_FALSE(scene->context.touchHit);
  EXPECT_FALSE(control->lastHit);
  EXPECT_EQ(point, scene->context.touchPoint);
}

TEST_F(ControlTest, AMissLocksTapsForTheLockTimeCountedOnlyWhileOpen) {
  control->message(14);
  control->message(18);
  EXPECT_FLOAT_EQ(control->lockTime, control->lockLeft);
  tap(kCx, kCy);
  EXPECT_EQ(0, answers());
  control->message(13);  // paused: the lock does not run down
  for (int i = 0; i < 120; ++i) control->update(kStep);
  EXPECT_FLOAT_EQ(control->lockTime, control->lockLeft);
  control->message(13);
  const int frames = static_cast<int>(control->lockTime / kStep);
  for (int i = 0; i < frames * 4 / 5; ++i) control->update(kStep);
  tap(kCx, kCy);
  EXPECT_EQ(0, answers()) << "still locked after four fifths of the lock time";
  for (int i = frames * 4 / 5; i < frames + 2; ++i) control->update(kStep);
  tap(kCx, kCy);
  EXPECT_EQ(1, answers());
}

TEST_F(ControlTest, GatesStopTurningAndMessagesResetTheirState) {
  const Quat start = scene->camera.orientation;
  control->message(1);  // disabled
  drag(kCx, kCy, kCx + 200, kCy, 5);
  EXPECT_FLOAT_EQ(1.0f, std::fabs(start.dot(scene->camera.orientation)));
  control->message(0);
  EXPECT_TRUE(control->enabled);
  EXPECT_FALSE(control->paused);
  EXPECT_FALSE(control->tapCandidate);

  moveTo(kCx + 50, kCy, kCx, kCy);
  control->update(kStep);
  EXPECT_NE(0.0f, control->velYaw);
  control->message(2);  // blocked: stops dead, clears the miss lock
  EXPECT_EQ(0.0f, control->velYaw);
  EXPECT_EQ(0.0f, control->lockLeft);
  const Quat held = scene->camera.orientation;
  moveTo(kCx + 100, kCy, kCx + 50, kCy);
  control->update(kStep);
  EXPECT_EQ(0.0f, control->impulseYaw);
  EXPECT_FLOAT_EQ(1.0f, std::fabs(held.dot(scene->camera.orientation)));
  control->message(3);
  EXPECT_FALSE(control->blocked);

  moveTo(kCx + 50, kCy, kCx, kCy);
  control->update(kStep);
  control->message(5);
  EXPECT_EQ(1, control->freeMode);
  EXPECT_EQ(0.0f, control->velYaw);
  control->message(4);
  EXPECT_EQ(0, control->freeMode);

  control->message(14);
  EXPECT_TRUE(control->tapEnabled);
  control->message(15);
  EXPECT_FALSE(control->tapEnabled);

  scene->camera.distance = 333.0f;
  control->message(49);
  EXPECT_FLOAT_EQ(333.0f, control->targetDist);
  scene->camera.distance = 444.0f;
  control->message(45);
  EXPECT_FLOAT_EQ(444.0f, control->targetDist);
}

TEST_F(ControlTest, TheSurfaceFollowsTheFinger) {
  // The globe point under the screen centre, in the globe's own coordinates.
  Vec3 p;
  ASSERT_TRUE(pickSphere(p, {kCx, kCy}, scene->earth->radius, {}, scene->camera,
                         scene->earth->sphereModelView.data()));
  drag(kCx, kCy, kCx + 60, kCy + 40, 10);  // right and down on screen (touch y grows downward)
  for (int i = 0; i < 30; ++i) frame();
  const Vec3 w = scene->camera.project(p, scene->earth->sphereModelView.data());
  EXPECT_GT(w.x, kCx + 20);  // moved right
  EXPECT_LT(w.y, kCy - 10);  // GL window y grows upward: moved down on screen
}

TEST_F(ControlTest, TurningCoastsAndSlowsDown) {
  drag(kCx, kCy, kCx + 100, kCy, 5);
  const float v0 = std::fabs(control->velYaw);
  ASSERT_GT(v0, 0.0f);
  for (int i = 0; i < 60; ++i) control->update(kStep);
  const float v1 = std::fabs(control->velYaw);
  EXPECT_GT(v1, 0.0f);
  EXPECT_LT(v1, v0 * 0.5f);
}

TEST_F(ControlTest, LatitudeLockedPitchNeverPassesTheLimit) {
  renderFrames = false;
  const float limit = scene->camera.pitchMax;
  for (int round = 0; round < 10; ++round) drag(kCx, 100, kCx, 540, 8);
  for (int i = 0; i < 120; ++i) {
    control->update(kStep);
    EXPECT_LE(std::fabs(anglesFromQuat(scene->camera.orientation).x), limit + 1e-4f);
  }
  EXPECT_NEAR(limit, std::fabs(anglesFromQuat(scene->camera.orientation).x), 1e-3f);
  EXPECT_EQ(0.0f, control->velPitch);
}

TEST_F(ControlTest, SidewaysDragAtThePoleStaysFinite) {
  renderFrames = false;
  scene->camera.pitchMax = kHalfPi;  // data that allows looking straight down the axis
  scene->camera.orientation = quatFromAngles(kHalfPi, 0.3f);
  moveTo(kCx + 40, kCy, kCx, kCy);
  control->update(kStep);
  EXPECT_TRUE(std::isfinite(control->velYaw));
  EXPECT_LT(std::fabs(control->velYaw), 10.0f * control->rotSpeed * kStep);
  EXPECT_TRUE(std::isfinite(scene->camera.orientation.w));
}

TEST_F(ControlTest, FreeModeCanTurnTheGlobeUpsideDown) {
  renderFrames = false;
  control->message(5);
  for (int round = 0; round < 12; ++round) drag(kCx, 100, kCx, 540, 8);
  bool upsideDown = false;
  for (int i = 0; i < 240 && !upsideDown; ++i) {
    control->update(kStep);
    const Vec3 north = Mat4::fromQuat(scene->camera.orientation).transformPoint({0, 1, 0});
    upsideDown = north.y < -0.5f;
  }
  EXPECT_TRUE(upsideDown);
}

TEST_F(ControlTest, PinchBeyondFarZIsAllowedThenBouncesBack) {
  // Right-button pinch: the second finger mirrored through the window centre.
  auto pinch = [&](float fromHalf, float toHalf, int n) {
    for (int i = 1; i <= n; ++i) {
      const float a = fromHalf + (toHalf - fromHalf) * (i - 1) / n;
      const float b = fromHalf + (toHalf - fromHalf) * i / n;
      scene->touch.moved({touch(kCx + b, kCy, kCx + a, kCy), touch(kCx - b, kCy, kCx - a, kCy)});
    }
  };
  press(kCx + 300, kCy);
  pinch(300, 10, 20);  // fingers together: zoom out
  EXPECT_GT(control->targetDist, control->farZ);
  EXPECT_FALSE(control->tapCandidate);
  const float beyond = control->targetDist;
  float last = beyond;
  for (int i = 0; i < 180; ++i) {
    control->update(kStep);
    EXPECT_LE(control->targetDist, last);
    last = control->targetDist;
  }
  EXPECT_LT(control->targetDist - control->farZ, (beyond - control->farZ) * 0.05f);
  EXPECT_GE(control->targetDist, control->farZ);
  // The camera follows its target.
  EXPECT_GT(scene->camera.distance, scene->param("camera", "dist"));
}

TEST_F(ControlTest, PinchInsideNearZBouncesOut) {
  control->targetDist = control->nearZ - 30.0f;
  for (int i = 0; i < 180; ++i) control->update(kStep);
  EXPECT_LE(control->targetDist, control->nearZ);
  EXPECT_GT(control->targetDist, control->nearZ - 1.0f);
}

}  // namespace
}  // namespace orb
