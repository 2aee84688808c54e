#include "title/Operate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/SettingsStore.h"
#include "game/GameProc.h"
#include "game/SceneFactory.h"
#include "gfx/Camera.h"
#include "gfx/GlContext.h"
#include "gfx/GlobeMath.h"
#include "gfx/PixelProbe.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "support/TestPaths.h"
#include "task/Messages.h"

namespace orb {
namespace {

constexpr float kStep = 1.0f / 60.0f;

class NoScreens : public SceneFactory {
 public:
  void createTitle(GameContext&) override {}
  void createResults(GameContext&) override {}
  void createRanking(GameContext&, int) override {}
  void createGameMenu(GameContext&) override {}
};

// The guide over the real game's parameters, atlas and camera.
class OperateGuide : public ::testing::Test {
 protected:
  void SetUp() override {
    ORB_REQUIRE_GL();
    dataDir_ = test::sourceDir();
    saveDir_ = test::scratchDir("operate");
    settings_.open(dataDir_, saveDir_);
    sound_ = std::make_unique<SoundSystem>(dataDir_);
    scheduler_ = std::make_unique<SoundScheduler>(*sound_);
    GameProc::Services services{&touch_, &keys_, scheduler_.get(), &settings_, &dataDir_, &saveDir_, &screens_};
    game_ = std::make_unique<GameProc>(960, 640, 1.0f, false, services);
    camera().orientation = quatFromAngles(0.3f, 1.0f);
    camera().distance = 1800.0f;
    guide_ = std::make_unique<Operate>(&game_->context());
  }
  Camera& camera() { return *game_->context().camera; }
  // Turns the camera by rate radians per second about its yaw for seconds.
  void turn(float rate, float seconds) {
    for (float t = 0; t < seconds; t += kStep) {
      yaw_ += rate * kStep;
      camera().orientation = quatFromAngles(0.3f, yaw_);
      guide_->update(kStep);
    }
  }
  void idle(float seconds) {
    for (float t = 0; t < seconds; t += kStep) guide_->update(kStep);
  }
  // The colour at the middle of the left button of the drawn guide.
  test::Rgb leftButton() {
    test::begin2D();
    guide_->draw();
    return test::pixelAt(374 - 23, 96 - 30);
  }

  std::string dataDir_, saveDir_;
  SettingsStore settings_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<SoundScheduler> scheduler_;
  TouchDispatcher touch_;
  KeyInput keys_;
  NoScreens screens_;
  std::unique_ptr<GameProc> game_;
  std::unique_ptr<Operate> guide_;
  float yaw_ = 1.0f;
};

TEST_F(OperateGuide, QuickTurnsLightTheLeftButtonAndSlowDriftDoesNot) {
  turn(3.0f, 0.5f);
  EXPECT_FALSE(guide_->ready());
  EXPECT_FLOAT_EQ(guide_->leftLight(), 1.0f) << "nothing lights while it slides in";
  idle(0.4f);
  ASSERT_TRUE(guide_->ready());

  turn(0.1f, 2.0f);  // the globe drifting under no hand
  EXPECT_FLOAT_EQ(guide_->leftLight(), 1.0f);
  const test::Rgb unlit = leftButton();
  EXPECT_GT(unlit.g, 180);
  EXPECT_GT(unlit.b, 180);

  turn(2.0f, 0.1f);  // a drag
  EXPECT_LT(guide_->leftLight(), 0.5f);
  EXPECT_GT(guide_->arrowAlpha(), 0.0f);
  const test::Rgb lit = leftButton();
  EXPECT_GT(lit.r, 180);
  EXPECT_LT(lit.g, 120) << "the pressed button shows red";
  idle(0.3f);
  EXPECT_FLOAT_EQ(guide_->leftLight(), 1.0f) << "and fades back to white";
}

TEST_F(OperateGuide, ZoomLightsTheRightButtonTapsTheLeftAndTheEndOfTheDemonstrationEndsIt) {
  idle(1.0f);
  camera().distance -= 40.0f;
  guide_->update(kStep);
  EXPECT_LT(guide_->rightLight(), 0.5f);
  EXPECT_FLOAT_EQ(guide_->leftLight(), 1.0f);

  guide_->message(kMsgGlobeTapped);
  idle(0.3f);
  EXPECT_LT(guide_->leftLight(), 0.9f) << "a tap holds its light longer than a turn";
  idle(0.3f);
  EXPECT_FLOAT_EQ(guide_->leftLight(), 1.0f);

  EXPECT_TRUE(guide_->alive());
  guide_->message(kMsgDemoEnded);
  EXPECT_FALSE(guide_->alive());
}

}  // namespace
}  // namespace orb
