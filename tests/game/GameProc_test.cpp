#include "game/GameProc.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(GameProcTest, BackToTitleRetiresTheSceneAndRebuildsTheTitleNextUpdate) {
  GameContext& ctx = game_->context();
  game_->update(1.0f / 60.0f);
  ctx.mode = kModeSurvival;
  ctx.backToTitle = true;
  game_->update(1.0f / 60.0f);
  EXPECT_EQ(std::count(probe_->codes.begin(), probe_->codes.end(), 12), 1);
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
  EXPECT_TRUE(json::at(settings_.root(), "achievement").is<picojson::object>());
}

}  // namespace
}  // namespace orb
