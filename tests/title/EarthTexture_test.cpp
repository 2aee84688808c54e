// The earth-image menu on the real title: a pick made with clicks through the
// touch menu reaches the globe's appearance and the saved setting "texture".
// (The menu's own behaviour is covered by tests/globe/EarthTexture_test.cpp.)
#include "globe/EarthTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/HudScene.h"
#include "game/RoundFixture.h"
#include "globe/EarthModel.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"
#include "title/Title.h"

namespace orb {
namespace {

struct TitleWithEarthMenu {
  std::string save;
  SettingsStore settings;
  TouchDispatcher touch;
  test::HudScene scene;
  JsonDocument places{test::sourceDir() + "devdata/places.json"};
  std::shared_ptr<test::CodeProbe> log = std::make_shared<test::CodeProbe>();

  TitleWithEarthMenu() : save(test::scratchDir("earth_menu_title")) {
    GameContext& c = scene.context;
    settings.open(scene.dataDir, save);
    // Everything unlocked and already announced: the title opens at once.
    for (const char* key : {"advanced", "survival", "earth_texture", "nightmode"}) {
      settings.setFlag(key, true);
      json::member(settings.member("achievement"), key) = picojson::value(true);
    }
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.saveDir = &save;
    c.settings = &settings;
    c.touch = &touch;
    c.places = &places;
    c.earthTexture = -1;
    c.touchMenu = scene.tasks.create<TouchMenu>(kLayerLogic, &touch);
    scene.tasks.add(kLayerLogic, log);
    scene.tasks.create<Title>(kLayerScreen, &c, nullptr);
  }

  int count(int code) const { return static_cast<int>(std::count(log->codes.begin(), log->codes.end(), code)); }

  void click(float x, float y) {
    Touch t;
    t.x = t.prevX = x + test::kHudW / 2;
    t.y = t.prevY = y + test::kHudH / 2;
    touch.began({t});
    touch.ended({t});
  }
  // A click on the middle of a widget where it stands now.
  void click(const Widget& w) {
    const Vec2<float> c = w.topLeft() + Vec2<float>(w.width / 2, w.height / 2);
    click(c.x, c.y);
  }
};

TEST(EarthTextureOnTitle, ClickingTheNightEarthShowsItOnTheGlobeAndKeepsItInTheSettings) {
  ORB_REQUIRE_HUD_GL();
  TitleWithEarthMenu t;
  for (int i = 0; i < 60 * 20 && t.count(kMsgTitleIntroDone) == 0; ++i) t.scene.step(1.0f / 60.0f);
  ASSERT_EQ(1, t.count(kMsgTitleIntroDone)) << "the intro never ended";
  t.scene.step(3.0f);

  const picojson::value& widgets = json::at(json::at(t.scene.params.root(), "title"), "earth_widgets");
  const Widget toggle(json::at(widgets, "earth"), nullptr, t.scene.screen.pair);
  t.click(toggle);
  t.scene.step(0.1f);
  if (t.count(kMsgEarthMenuOpened) == 0) {
    // The title does not offer the menu by itself yet: put it where the title will.
    t.scene.tasks.create<EarthTexture>(kLayerScreen, &t.scene.context);
    t.scene.tasks.broadcast(kMsgTitleReady);
    t.scene.step(0.1f);
    t.click(toggle);
    t.scene.step(0.1f);
  }
  ASSERT_EQ(t.count(kMsgEarthMenuOpened), 1);
  t.scene.step(EarthTexture::kToggleTime);

  const float menuWidth = json::real(json::at(t.scene.params.root(), "title"), "earth_menu_width");
  const Widget night(json::at(widgets, "e_n"), nullptr, t.scene.screen.pair);
  ASSERT_TRUE(t.scene.earth->showClouds);
  t.click(night.topLeft().x + menuWidth + night.width / 2, night.topLeft().y + night.height / 2);
  t.scene.step(0.2f);
  EXPECT_EQ(t.count(kMsgEarthMenuTimeout), 1);
  EXPECT_EQ(t.scene.context.earthTexture, night.id);
  EXPECT_FALSE(t.scene.earth->showClouds) << "the night earth has no clouds";
  EXPECT_EQ(json::integer(t.settings.member("texture"), -100), night.id);

  const Widget june(json::at(widgets, "e_6"), nullptr, t.scene.screen.pair);
  t.click(june.topLeft().x + menuWidth + june.width / 2, june.topLeft().y + june.height / 2);
  t.scene.step(0.2f);
  EXPECT_EQ(json::integer(t.settings.member("texture"), -100), 5);
  EXPECT_TRUE(t.scene.earth->showClouds);
}

}  // namespace
}  // namespace orb
