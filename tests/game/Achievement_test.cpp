#include "game/Achievement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/Json.h"
#include "data/SettingsStore.h"
#include "game/HudScene.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameWorld.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::HudScene;

class MessageLog : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  int count(int code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
  std::vector<int> codes;
};

// The title as it opens: the HUD scene with the player's settings from a save
// folder, sound on the null device, the touch road and a log of broadcasts.
// Services first: the panel's destructor writes the settings as the scene goes.
struct TitleOpening {
  std::string save;
  SettingsStore settings;
  SoundSystem sound{test::sourceDir()};
  SoundScheduler scheduler{sound};
  TouchDispatcher touch;
  HudScene scene;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();

  explicit TitleOpening(const std::string& folder) : save(folder) {
    GameContext& c = scene.context;
    settings.open(scene.dataDir, save);
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.saveDir = &save;
    c.settings = &settings;
    c.sound = &scheduler;
    c.touch = &touch;
    c.touchMenu = std::make_shared<TouchMenu>(&touch);
    scene.tasks.add(kLayerLogic, c.touchMenu);
    scene.tasks.add(kLayerLogic, log);
    scene.camera.orientation = quatFromAngles(20.0f * kDegToRad, 100.0f * kDegToRad);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.earth->lightLevel = 0.5f;  // the title dims the globe
    scene.tasks.create<GameWorld>(kLayerGlobe, &c);
    scene.tasks.create<Game2DSetup>(kLayer2DSetup, scene.camera2d);
  }
  std::shared_ptr<Achievement> open() {
    return scene.tasks.create<Achievement>(kLayerScreen, &scene.context);
  }

  void tapContinue() {
    const Widget button(json::at(json::at(scene.params.root(), "agree"), "widget"), nullptr, scene.screen.pair);
    const Vec2<float> corner = button.topLeft();
    const float x = corner.x + button.width / 2 + test::kHudW / 2;
    const float y = corner.y + button.height / 2 + test::kHudH / 2;
    touch.began({Touch{x, y, x, y}});
    touch.ended({Touch{x, y, x, y}});
  }

  std::vector<std::string> text(const std::string& key) const {
    std::vector<std::string> lines;
    for (const auto& l : json::array(json::at(json::at(json::at(scene.params.root(), "achievement"), "text"), key)))
      lines.push_back(json::string(l));
    return lines;
  }
  // Waits for the panel and its continue button, taps it, and lets the panel go.
  void announceAndClose() {
    scene.step(delay() + Achievement::kAgreeAfter + 0.1f);
    tapContinue();
    scene.step(Achievement::kCloseTime + 0.1f);
  }

  float delay() const { return json::real(json::at(scene.params.root(), "achievement"), "delay"); }
};

TEST(Achievement, NothingNewOpensTheTitleOneFrameLaterWithoutSoundOrPanel) {
  ORB_REQUIRE_HUD_GL();
  TitleOpening title(test::scratchDir("achievement_none"));
  // Unlocked long ago and already announced; "nightmode" not unlocked.
  for (const char* key : {"advanced", "survival"}) {
    title.settings.setFlag(key, true);
    json::member(title.settings.member("achievement"), key) = picojson::value(true);
  }
  auto panel = title.open();
  EXPECT_TRUE(panel->newKeys().empty());
  title.scene.tasks.update(1.0f / 60.0f);
  EXPECT_EQ(title.log->count(kMsgAchievementDone), 1);
  EXPECT_FALSE(panel->alive());
  EXPECT_FALSE(panel->shown());
  EXPECT_EQ(title.scheduler.pending(), 0u);
  EXPECT_FALSE(title.sound.soundPlaying("unlock"));
  title.scene.step(2.0f);
  EXPECT_EQ(title.log->count(kMsgAchievementDone), 1) << "announced once";
  EXPECT_FALSE(title.scene.context.touchMenu->capturing());
  EXPECT_EQ(title.scene.context.touchMenu->buttonCount(), 0u) << "no continue button";
}

TEST(Achievement, TwoUnlocksFromOneGameAreAnnouncedTogetherInKeyOrderAndClosedByContinue) {
  ORB_REQUIRE_HUD_GL();
  TitleOpening title(test::scratchDir("achievement_two"));
  // Set in the order the ranking would (survival first); announced in key order.
  title.settings.setFlag("survival", true);
  title.settings.setFlag("advanced", true);
  {
    auto panel = title.open();
    ASSERT_EQ(panel->newKeys(), (std::vector<std::string>{"advanced", "survival"}));
    std::vector<std::string> expected{json::string(json::at(title.scene.params.root(), "achievement"), "title")};
    for (const char* key : {"advanced", "survival"})
      for (const auto& line : title.text(key)) expected.push_back(line);
    EXPECT_EQ(panel->lines(), expected);

    title.scene.step(title.delay() - 0.05f);
    EXPECT_FALSE(panel->shown());
    EXPECT_FALSE(title.sound.soundPlaying("unlock"));
    title.scene.step(0.1f);
    EXPECT_TRUE(panel->shown());
    if (title.sound.available()) {
      EXPECT_TRUE(title.sound.soundPlaying("unlock"));
    }

    // The panel shows over the globe: the box and its lines are there.
    title.scene.step(Achievement::kPopTime);
    title.scene.render();
    const auto rgb = test::readHud();
    test::writeHudPng(test::scratchDir("achievement_shot") + "two.png", rgb);
    int bright = 0;
    for (int y = -60; y <= 40; ++y)
      for (int x = -200; x <= 200; ++x) {
        const auto p = test::hudPixel(rgb, x, y);
        bright += p[0] > 200 && p[1] > 200 && p[2] > 200;
      }
    EXPECT_GT(bright, 300) << "white text lines in the middle of the screen";

    title.tapContinue();
    title.scene.step(0.1f);
    EXPECT_EQ(title.log->count(kMsgAgreed), 0) << "no continue button before 1.5 s";
    title.scene.step(Achievement::kAgreeAfter + 0.1f);
    title.tapContinue();
    title.scene.step(1.0f / 60.0f);
    EXPECT_EQ(title.log->count(kMsgAgreed), 1);
    EXPECT_TRUE(panel->closing());
    EXPECT_EQ(title.log->count(kMsgAchievementDone), 0);
    title.scene.step(Achievement::kCloseTime + 0.05f);
    EXPECT_EQ(title.log->count(kMsgAchievementDone), 1);
    EXPECT_FALSE(panel->alive());
    title.scene.step(1.0f / 60.0f);  // the task list lets the panel go
  }
  const picojson::value& announced = title.settings.member("achievement");
  EXPECT_TRUE(json::boolean(json::at(announced, "advanced")));
  EXPECT_TRUE(json::boolean(json::at(announced, "survival")));
  EXPECT_FALSE(json::boolean(json::at(announced, "earth_texture")));
  EXPECT_TRUE(title.open()->newKeys().empty()) << "the next title announces nothing again";
}

TEST(Achievement, AnUnlockSurvivesARestartUntilAnnounced) {
  ORB_REQUIRE_HUD_GL();
  const std::string save = test::scratchDir("achievement_restart");
  {
    // A run that unlocks the earth images and quits before any title.
    SettingsStore run;
    run.open(test::sourceDir(), save);
    run.setFlag("earth_texture", true);
    run.close();
  }
  {
    TitleOpening title(save);
    ASSERT_EQ(title.settings.source(), title.settings.savePath());
    std::weak_ptr<Achievement> panel = title.open();
    EXPECT_EQ(panel.lock()->newKeys(), std::vector<std::string>{"earth_texture"});
    title.announceAndClose();
    EXPECT_TRUE(panel.expired());
    title.settings.close();
  }
  TitleOpening next(save);
  EXPECT_TRUE(next.open()->newKeys().empty()) << "announced at the title before, saved at exit";
}

}  // namespace
}  // namespace orb
