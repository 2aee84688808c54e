#include "globe/GameWorld.h"

#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::GlobeScene;

class GameWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
    scene = std::make_unique<GlobeScene>(-1);
    world = std::make_unique<GameWorld>(&scene->context);
    world->cloudDistMin = 150;
    world->cloudDistMax = 400;
    world->cloudAlphaMin = 0.1f;
    world->cloudAlphaMax = 0.9f;
  }
  std::unique_ptr<GlobeScene> scene;
  std::unique_ptr<GameWorld> world;
};

TEST_F(GameWorldTest, CloudLevelAtAndBetweenItsLimits) {
  EXPECT_FLOAT_EQ(0.1f, world->cloudLevelAt(150));   // at the near limit
  EXPECT_FLOAT_EQ(0.1f, world->cloudLevelAt(120));   // closer still: not below the minimum
  EXPECT_FLOAT_EQ(0.9f, world->cloudLevelAt(400));   // at the far limit
  EXPECT_FLOAT_EQ(0.9f, world->cloudLevelAt(900));
  EXPECT_NEAR(0.5f, world->cloudLevelAt(275), 1e-5f);  // half way
  world->cloudFade = 1.5f;                             // a normal game: fading starts at 600
  EXPECT_NEAR(0.1f + 0.8f * (400.0f - 150.0f) / 450.0f, world->cloudLevelAt(400), 1e-5f);
}

TEST_F(GameWorldTest, CloudLevelWithACollapsedRangeIsTheMinimum) {
  // Bad data: the far limit inside the near one. Closer than the far limit the
  // clouds are gone rather than brighter than their maximum.
  world->cloudDistMax = 100;
  EXPECT_FLOAT_EQ(0.1f, world->cloudLevelAt(90));
  EXPECT_FLOAT_EQ(0.9f, world->cloudLevelAt(120));
}

TEST_F(GameWorldTest, DrawSetsTheEarthCloudLevelFromTheCameraDistance) {
  scene->camera.distance = 150;
  world->draw();
  EXPECT_FLOAT_EQ(0.1f, scene->earth->cloudLevel);
  scene->camera.distance = 500;
  world->draw();
  EXPECT_FLOAT_EQ(0.9f, scene->earth->cloudLevel);
}

TEST_F(GameWorldTest, NormalGameStretchesTheFadeAndTheEndBringsItBack) {
  world->message(kMsgGameCreated);
  for (int i = 0; i < 45; ++i) world->update(1.0f / 60.0f);  // 0.75 s of 1.5
  EXPECT_NEAR(1.25f, world->cloudFade, 0.01f);
  for (int i = 0; i < 60; ++i) world->update(1.0f / 60.0f);
  EXPECT_FLOAT_EQ(1.5f, world->cloudFade);
  world->message(kMsgBackToTitle);
  for (int i = 0; i < 120; ++i) world->update(1.0f / 60.0f);
  EXPECT_FLOAT_EQ(1.0f, world->cloudFade);
}

TEST_F(GameWorldTest, OtherModesKeepTheCloudsAsTheyAre) {
  scene->context.mode = kModeAdvanced;
  world->message(kMsgGameCreated);
  for (int i = 0; i < 120; ++i) world->update(1.0f / 60.0f);
  EXPECT_FLOAT_EQ(1.0f, world->cloudFade);
}

TEST_F(GameWorldTest, LightKeepsItsPlaceBesideTheViewer) {
  scene->light.offset = {0.0f, 0.0f, 500.0f};
  scene->camera.orientation = quatFromAngles(0.0f, kHalfPi);  // globe turned a quarter
  world->draw();
  // The light sits towards the viewer, i.e. on the globe's axis the camera now looks down.
  const Vec3 towardsViewer = scene->camera.inverseRotation.transformPoint({0, 0, 1});
  EXPECT_NEAR(towardsViewer.x * 500.0f, scene->light.position[0], 1e-2f);
  EXPECT_NEAR(towardsViewer.z * 500.0f, scene->light.position[2], 1e-2f);
  EXPECT_GT(std::fabs(scene->light.position[0]), 400.0f);
}

}  // namespace
}  // namespace orb
