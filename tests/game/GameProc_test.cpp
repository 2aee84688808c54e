#include "game/GameProc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/Json.h"
#include "data/SettingsStore.h"
#include "game/SceneFactory.h"
#include "gfx/GlContext.h"
#include "globe/EarthModel.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "support/TestPaths.h"
#include "task/Messages.h"

namespace orb {
namespace {

class Probe : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  bool alive() const override { return true; }
  std::vector<int> codes;
};

class CountingScenes : public SceneFactory {
 public:
  void createTitle(GameContext&) override { ++titles; }
  void createResults(GameContext&) override {}
  void createRanking(GameContext&, int) override {}
  void createGameMenu(GameContext&) override {}
  int titles = 0;
};

class GameProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ORB_REQUIRE_GL();
    dataDir_ = test::sourceDir();
    saveDir_ = test::scratchDir("gameproc");
    settings_.open(dataDir_, saveDir_);
    sound_ = std::make_unique<SoundSystem>(dataDir_);
    scheduler_ = std::make_unique<SoundScheduler>(*sound_);
    GameProc::Services services{&touch_, &keys_, scheduler_.get(), &settings_, &dataDir_, &saveDir_, &scenes_};
    game_ = std::make_unique<GameProc>(960, 640, 1.0f, false, services);
    game_->tasks().add(0, probe_);
  }

  std::string dataDir_, saveDir_;
  SettingsStore settings_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<SoundScheduler> scheduler_;
  TouchDispatcher touch_;
  KeyInput keys_;
  CountingScenes scenes_;
  std::unique_ptr<GameProc> game_;
  std::shared_ptr<Probe> probe_ = std::make_shared<Probe>();
};

TEST_F(GameProcTest, FirstUpdateBuildsTheTitleBeforeTheOpeningMoveEnds) {
  GameContext& ctx = game_->context();
  EXPECT_TRUE(ctx.titleNeeded);
  EXPECT_GT(ctx.camera->distance, json::real(json::at(ctx.params->root(), "camera"), "dist"))
      << "the opening move starts far out";
  EXPECT_TRUE(game_->update(1.0f / 60.0f));
  EXPECT_EQ(scenes_.titles, 1);
  EXPECT_FALSE(ctx.titleNeeded);
  EXPECT_FLOAT_EQ(ctx.earth->spinSpeed, ctx.earth->defaultSpinSpeed());
  game_->update(1.0f / 60.0f);
  EXPECT_EQ(scenes_.titles, 1);
}

TEST_F(GameProcTest, OpeningFliesInOnceFromFarWithoutJumpingInDuringItsDelay) {
  GameContext& ctx = game_->context();
  const picojson::value& params = ctx.params->root();
  const float start = json::real(params, "start_dist");
  const float target = json::real(json::at(params, "camera"), "dist");
  ASSERT_EQ(start, ctx.camera->distance);
  // The frame step is the measured time clamped to at most twice the nominal
  // step, so the start delay lasts at least this many frames.
  const int delayFrames = static_cast<int>(json::real(params, "start_delay") * 30.0f);
  auto moveDone = [&] { return std::count(probe_->codes.begin(), probe_->codes.end(), kMsgCameraMoveDone); };
  std::vector<float> trace;
  for (int frame = 0; frame < 600 && moveDone() == 0; ++frame) {
    game_->update(1.0f / 60.0f);
    trace.push_back(ctx.camera->distance);
  }
  ASSERT_EQ(1, moveDone()) << "the opening move ends";
  for (std::size_t i = 0; i < trace.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    if (static_cast<int>(i) < delayFrames) {
      EXPECT_EQ(start, trace[i]) << "still waiting";
    }
    if (i > 0) {
      EXPECT_LE(trace[i], trace[i - 1]) << "the camera only moves in";
    }
    EXPECT_GE(trace[i], target);
  }
  EXPECT_EQ(target, trace.back());
  // Afterwards nothing pulls the camera on.
  for (int frame = 0; frame < 30; ++frame) game_->update(1.0f / 60.0f);
  EXPECT_EQ(target, ctx.camera->distance);
}

TEST_F(GameProcTest, BackToTitleRetiresTheSceneAndRebuildsTheTitleNextUpdate) {
  GameContext& ctx = game_->context();
  game_->update(1.0f / 60.0f);
  ctx.mode = kModeSurvival;
  ctx.backToTitle = true;
  game_->update(1.0f / 60.0f);
  EXPECT_EQ(std::count(probe_->codes.begin(), probe_->codes.end(), kMsgBackToTitle), 1);
  EXPECT_EQ(ctx.mode, kModeNormal);
  EXPECT_FALSE(ctx.backToTitle);
  EXPECT_EQ(scenes_.titles, 1) << "the title comes one update later";
  game_->update(1.0f / 60.0f);
  EXPECT_EQ(scenes_.titles, 2);
}

TEST_F(GameProcTest, FoundPlacesAreSeededFromThePlacesDocument) {
  const auto& places = json::object(json::at(settings_.root(), "places"));
  EXPECT_EQ(places.size(), json::size(game_->context().places->root()));
  for (const auto& [key, found] : places) EXPECT_FALSE(json::boolean(found)) << key;
}

TEST_F(GameProcTest, EveryUnlockIsSeededAsUnannouncedAndAStoredMapKeepsWhatItHolds) {
  // A copy: the first game root, and its parameters, go before the second is built.
  const picojson::object keys = json::object(json::at(json::at(game_->context().params->root(), "achievement"), "text"));
  ASSERT_GE(keys.size(), 4u);
  const auto& fresh = json::object(json::at(settings_.root(), "achievement"));
  EXPECT_EQ(fresh.size(), keys.size());
  for (const auto& [key, lines] : keys) {
    ASSERT_TRUE(fresh.count(key)) << key;
    EXPECT_FALSE(fresh.at(key).evaluate_as_boolean()) << key;
  }

  // A map saved by an older game lacks keys: they are added, and what was
  // announced stays announced.
  picojson::object older;
  older["advanced"] = picojson::value(true);
  older["retired_key"] = picojson::value(true);
  settings_.member("achievement") = picojson::value(older);
  game_.reset();
  GameProc::Services services{&touch_, &keys_, scheduler_.get(), &settings_, &dataDir_, &saveDir_, &scenes_};
  game_ = std::make_unique<GameProc>(960, 640, 1.0f, false, services);
  const auto& repaired = json::object(json::at(settings_.root(), "achievement"));
  EXPECT_TRUE(repaired.at("advanced").evaluate_as_boolean());
  EXPECT_TRUE(repaired.at("retired_key").evaluate_as_boolean()) << "nothing is dropped";
  for (const auto& [key, lines] : keys) {
    ASSERT_TRUE(repaired.count(key)) << key;
    if (key != "advanced") {
      EXPECT_FALSE(repaired.at(key).evaluate_as_boolean()) << key;
    }
  }
}

}  // namespace
}  // namespace orb
