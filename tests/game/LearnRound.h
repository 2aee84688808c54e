#pragma once
// A real round about the real outlines of a few chosen places: the shipped
// parameters and data, a places document holding only `keys` (all at level
// 0), the game's own tasks and globe pass, drawn into the test window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/GameMain.h"
#include "gfx/Camera.h"
#include "gfx/FontCache.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GlContext.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "globe/GameWorld.h"
#include "globe/GlobeScene.h"
#include "globe/Light.h"
#include "support/TestPaths.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb::test {

class LearnRound {
 public:
  static constexpr float kStep = 1.0f / 60.0f;

  // game: JSON object merged over the shipped "game" parameters.
  LearnRound(const std::string& name, const std::vector<std::string>& keys, const std::string& gameJson) {
    dataDir = scratchDir("learn_round/" + name);
    std::filesystem::create_directories(dataDir + "devdata");
    for (const auto& e : std::filesystem::directory_iterator(sourceDir() + "devdata")) {
      const std::string file = e.path().filename().string();
      if (file == "places.json" || file == "params.json") continue;
      std::filesystem::create_symlink(e.path(), dataDir + "devdata/" + file);
    }
    JsonDocument shipped(sourceDir() + "devdata/places.json");
    picojson::object chosen;
    for (const std::string& key : keys) {
      picojson::value entry = json::at(shipped.root(), key);
      json::member(entry, "level") = picojson::value(0.0);
      chosen[key] = entry;
    }
    writeFile(dataDir + "devdata/places.json", picojson::value(chosen).serialize());
    JsonDocument params(sourceDir() + "devdata/params.json");
    picojson::value overrides;
    EXPECT_TRUE(picojson::parse(overrides, gameJson).empty());
    for (const auto& [k, v] : json::object(overrides)) json::member(json::member(params.root(), "game"), k) = v;
    writeFile(dataDir + "devdata/params.json", params.root().serialize());

    params_ = std::make_unique<JsonDocument>(dataDir + "devdata/params.json");
    places_ = std::make_unique<JsonDocument>(dataDir + "devdata/places.json");
    sound_ = std::make_unique<SoundSystem>(sourceDir());
    scheduler_ = std::make_unique<SoundScheduler>(*sound_);
    settings_.open(dataDir, dataDir + "save/");
    textures_ = std::make_unique<TextureCache>();
    fonts_ = std::make_unique<FontCache>(json::at(params_->root(), "fonts"), dataDir);
    camera.configure(json::at(params_->root(), "camera"), static_cast<float>(kGlWidth) / kGlHeight);
    camera.distance = json::real(json::at(params_->root(), "camera"), "dist");
    camera2d.halfWidth = kGlWidth;
    camera2d.halfHeight = kGlHeight;
    light_ = Light::fromParams(json::element(json::at(params_->root(), "lights"), 0));
    earth = std::make_unique<EarthModel>(params_->root(), dataDir, &camera);
    earth->light = &light_;
    earth->setAppearance(0);

    ctx.sound = scheduler_.get();
    ctx.dataDir = &dataDir;
    ctx.saveDir = &dataDir;
    ctx.settings = &settings_;
    ctx.screen = &screen_;
    ctx.params = params_.get();
    ctx.places = places_.get();
    ctx.fonts = fonts_.get();
    ctx.tasks = &tasks;
    ctx.textures = textures_.get();
    ctx.camera = &camera;
    ctx.camera2d = &camera2d;
    ctx.earth = earth.get();
    ctx.light = &light_;
    tasks.create<GameWorld>(kLayerGlobe, &ctx);
    tasks.create<Game2DSetup>(kLayer2DSetup, camera2d);
    game = tasks.create<GameMain>(kLayerLogic, &ctx, nullptr);
    tasks.update(kStep);
  }

  // Runs the intro and the start banner up to the first question.
  void start() {
    for (int i = 0; i < 60 * 30 && ctx.askedInGame == 0; ++i) tasks.update(kStep);
    ASSERT_EQ(ctx.askedInGame, 1) << "no question was asked";
  }

  void frames(float seconds) {
    for (float t = 0; t < seconds - 1e-5f; t += kStep) tasks.update(kStep);
  }

  // One whole frame, as the game root draws it; the earth's model-view is set after.
  void render() {
    glViewport(0, 0, kGlWidth, kGlHeight);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    tasks.draw();
    glFinish();
  }

  // A tap that the camera control picked at unit globe point p.
  void tapAt(const Vec3& p) {
    ctx.touchPoint = p;
    tasks.broadcast(kMsgGlobeTapped);
  }

  std::string dataDir;
  Camera camera{Camera::kPerspective}, camera2d{Camera::kOrtho2D};
  std::unique_ptr<EarthModel> earth;
  TaskList tasks;
  GameContext ctx;
  std::shared_ptr<GameMain> game;

 private:
  std::unique_ptr<JsonDocument> params_, places_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<SoundScheduler> scheduler_;
  SettingsStore settings_;
  std::unique_ptr<TextureCache> textures_;
  std::unique_ptr<FontCache> fonts_;
  Light light_;
  ScreenSize screen_;
};

}  // namespace orb::test
