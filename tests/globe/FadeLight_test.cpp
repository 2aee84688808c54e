#include "globe/FadeLight.h"

#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::GlobeScene;

constexpr float kStep = 0.1f;

class FadeLightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
    scene = std::make_unique<GlobeScene>(-1);
    scene->earth->lightLevel = 0.2f;
  }
  float level() const { return scene->earth->lightLevel; }
  std::unique_ptr<GlobeScene> scene;
};

TEST_F(FadeLightTest, DelayLeavesTheLevelThenEasesFromTheLevelAtCreation) {
  FadeLight fade(&scene->context);
  fade.end = 1.0f;
  fade.duration = 2.0f;
  fade.delay = 1.0f;
  EXPECT_FLOAT_EQ(0.2f, fade.start);
  scene->earth->lightLevel = 0.6f;  // someone else moved it during the delay
  for (int i = 0; i < 9; ++i) fade.update(kStep);
  EXPECT_FLOAT_EQ(0.6f, level());
  fade.update(kStep);  // the delay runs out: this frame goes on, elapsed = 0.1
  EXPECT_NEAR(0.2f + 0.8f * 0.05f, level(), 1e-5f);
  for (int i = 0; i < 19; ++i) fade.update(kStep);
  EXPECT_NEAR(1.0f, level(), 1e-5f);
  EXPECT_FALSE(fade.alive());
}

TEST_F(FadeLightTest, MessageThirtyTwoStartsAWaitingFadeAtTheNextUpdate) {
  FadeLight fade(&scene->context);
  fade.end = 0.0f;
  fade.duration = 1.0f;
  fade.delay = 5.0f;
  fade.update(kStep);
  EXPECT_FLOAT_EQ(0.2f, level());
  fade.message(kMsgTitleReady);
  EXPECT_FLOAT_EQ(0.2f, level());
  fade.update(kStep);
  EXPECT_NEAR(0.18f, level(), 1e-5f);
}

TEST_F(FadeLightTest, MessageFortyEightJumpsToTheEndAndLeaves) {
  FadeLight fade(&scene->context);
  fade.end = 0.5f;
  fade.duration = 2.0f;
  scene->tasks.add(2, std::shared_ptr<FadeLight>(&fade, [](FadeLight*) {}));
  scene->tasks.update(kStep);
  ASSERT_EQ(2u, scene->tasks.activeCount());
  scene->tasks.broadcast(kMsgRankingGone);
  EXPECT_FLOAT_EQ(0.5f, level());
  EXPECT_FALSE(fade.alive());
  scene->tasks.update(kStep);
  EXPECT_EQ(1u, scene->tasks.activeCount());
  EXPECT_FLOAT_EQ(0.5f, level());
}

TEST_F(FadeLightTest, TwoFadesTheLaterAddedWins) {
  auto dim = scene->tasks.create<FadeLight>(2, &scene->context);
  dim->end = 0.0f;
  auto bright = scene->tasks.create<FadeLight>(2, &scene->context);
  bright->end = 1.0f;
  scene->tasks.update(kStep);  // joins the list
  scene->tasks.update(kStep);
  EXPECT_NEAR(0.2f + 0.8f * 0.2f, level(), 1e-5f);
}

}  // namespace
}  // namespace orb
