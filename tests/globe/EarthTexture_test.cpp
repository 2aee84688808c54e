#include "globe/EarthTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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

// The title's globe with the touch road and the player's settings.
struct TitleGlobe {
  std::string save;
  SettingsStore settings;
  TouchDispatcher touch;
  HudScene scene;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();

  explicit TitleGlobe(const std::string& name, bool night) : save(test::scratchDir(name)) {
    GameContext& c = scene.context;
    settings.open(scene.dataDir, save);
    settings.setFlag("earth_texture", true);
    settings.setFlag("nightmode", night);
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.settings = &settings;
    c.saveDir = &save;
    c.touch = &touch;
    c.touchMenu = std::make_shared<TouchMenu>(&touch);
    c.earthTexture = -1;
    scene.tasks.add(kLayerLogic, c.touchMenu);
    scene.tasks.add(kLayerLogic, log);
    scene.camera.orientation = quatFromAngles(20.0f * kDegToRad, 100.0f * kDegToRad);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.earth->lightLevel = 0.5f;
    scene.tasks.create<GameWorld>(kLayerGlobe, &c);
    scene.tasks.create<Game2DSetup>(kLayer2DSetup, scene.camera2d);
  }

  // A tap on the middle of where the widget is drawn now (window pixels = layout + half the window).
  void tapDrawn(const Widget& w, float placementX) {
    const Vec2<float> corner = w.topLeft();
    const float x = corner.x - (w.x - w.baseX) + placementX + w.width / 2 + test::kHudW / 2;
    const float y = corner.y + w.height / 2 + test::kHudH / 2;
    touch.began({Touch{x, y, x, y}});
    touch.ended({Touch{x, y, x, y}});
  }

  std::shared_ptr<EarthTexture> openMenu() {
    auto menu = scene.tasks.create<EarthTexture>(kLayerScreen, &scene.context);
    scene.tasks.broadcast(kMsgTitleReady);
    scene.step(0.1f);
    const Widget toggle(json::at(json::at(json::at(scene.params.root(), "title"), "earth_widgets"), "earth"),
                        nullptr, scene.screen.pair);
    tapDrawn(toggle, menu->placement().x);
    scene.step(EarthTexture::kToggleTime + 0.05f);
    return menu;
  }

  const Widget& choice(const EarthTexture& menu, int id) {
    for (const auto& w : menu.choices())
      if (w->id == id) return *w;
    ADD_FAILURE() << "no choice " << id;
    return *menu.choices().front();
  }
};

TEST(EarthTexture, APickThroughTheTouchMenuChoosesThatImageOnceAndASecondQuickPickIsIgnored) {
  ORB_REQUIRE_HUD_GL();
  TitleGlobe title("earth_texture_pick", false);
  auto menu = title.openMenu();
  EXPECT_EQ(title.log->count(kMsgEarthMenuOpened), 1);
  ASSERT_TRUE(menu->menuOpen());
  const float menuWidth = json::real(json::at(title.scene.params.root(), "title"), "earth_menu_width");
  EXPECT_NEAR(menu->placement().x, menuWidth, 0.5f);
  ASSERT_EQ(menu->choices().size(), 13u) << "by month and twelve months, no night earth yet";

  title.scene.render();
  test::writeHudPng(test::scratchDir("earth_texture_open_shot") + "open.png", test::readHud());

  // March (index 2), then April before the pick has settled.
  title.tapDrawn(title.choice(*menu, 2), menu->placement().x);
  title.scene.step(1.0f / 60.0f);
  title.tapDrawn(title.choice(*menu, 3), menu->placement().x);
  title.scene.step(0.2f);
  EXPECT_EQ(menu->selected(), 2);
  EXPECT_EQ(title.scene.context.earthTexture, 2);
  EXPECT_EQ(title.log->count(kMsgEarthMenuTimeout), 1);

  // The toggle, now drawn beside the open menu, closes it where it is seen.
  const Widget toggle(json::at(json::at(json::at(title.scene.params.root(), "title"), "earth_widgets"), "earth"),
                      nullptr, title.scene.screen.pair);
  title.tapDrawn(toggle, menu->placement().x);
  title.scene.step(EarthTexture::kToggleTime + 0.05f);
  EXPECT_EQ(title.log->count(kMsgEarthMenuClosed), 1);
  EXPECT_FALSE(menu->menuOpen());
  title.tapDrawn(title.choice(*menu, 5), menuWidth);  // where June was shown
  title.scene.step(0.2f);
  EXPECT_EQ(title.scene.context.earthTexture, 2) << "a closed menu takes no pick";
}

TEST(EarthTexture, TheNightEarthIsOfferedOnlyOnceUnlocked) {
  ORB_REQUIRE_HUD_GL();
  TitleGlobe title("earth_texture_night", true);
  auto menu = title.openMenu();
  ASSERT_EQ(menu->choices().size(), 14u);
  const Widget& night = *menu->choices().back();
  title.tapDrawn(night, menu->placement().x);
  title.scene.step(0.2f);
  EXPECT_EQ(title.scene.context.earthTexture, json::size(json::at(title.scene.params.root(), "earth_appearance")) - 1)
      << "the night earth is the last appearance";
  title.scene.render();
  test::writeHudPng(test::scratchDir("earth_texture_night_shot") + "night.png", test::readHud());
}

}  // namespace
}  // namespace orb
