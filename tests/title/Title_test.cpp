// The title between games with the shipped parameters and art: the attract
// cycle's showcase rankings, the idle timer and what holds it, the first-run
// flag, and a mode chosen with a real click that starts the game.
#include "title/Title.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/HudScene.h"
#include "game/RoundFixture.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"
#include "records/Ranking.h"
#include "task/Messages.h"

namespace orb {
namespace {

// The title as the game root opens it: the shipped parameters, places and
// art, a fresh save folder, the touch road and a log of every broadcast.
struct TitleScreen {
  TouchDispatcher touch;  // outlives the tasks that listen to it
  test::HudScene scene;
  std::string save;
  SettingsStore settings;
  JsonDocument places{test::sourceDir() + "devdata/places.json"};
  std::shared_ptr<test::CodeProbe> log = std::make_shared<test::CodeProbe>();
  std::shared_ptr<Title> title;

  TitleScreen(const std::string& name, bool advanced, bool survival) : save(test::scratchDir(name)) {
    GameContext& c = scene.context;
    settings.open(scene.dataDir, save);
    // Unlocks already announced, so the achievement display lets the title open at once.
    settings.setFlag("advanced", advanced);
    settings.setFlag("survival", survival);
    json::member(settings.member("achievement"), "advanced") = picojson::value(advanced);
    json::member(settings.member("achievement"), "survival") = picojson::value(survival);
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.saveDir = &save;
    c.settings = &settings;
    c.touch = &touch;
    c.places = &places;
    c.touchMenu = scene.tasks.create<TouchMenu>(kLayerLogic, &touch);
    scene.tasks.add(kLayerLogic, log);
    title = scene.tasks.create<Title>(kLayerScreen, &c, nullptr);
  }

  int count(int code) const { return static_cast<int>(std::count(log->codes.begin(), log->codes.end(), code)); }

  // Runs frames until the intro has ended and the menu panels are all in.
  void toMenu() {
    for (int i = 0; i < 60 * 20 && count(kMsgTitleIntroDone) == 0; ++i) scene.step(1.0f / 60.0f);
    ASSERT_EQ(1, count(kMsgTitleIntroDone)) << "the intro never ended";
    scene.step(3.0f);
  }

  // A left click at the centre of a widget as it stands, in window pixels.
  void click(const Widget& w) {
    const Vec2<float> c = w.topLeft() + Vec2<float>(w.width / 2, w.height / 2);
    Touch t;
    t.x = t.prevX = c.x + test::kHudW / 2;
    t.y = t.prevY = c.y + test::kHudH / 2;
    touch.began({t});
    touch.ended({t});
  }

  // The modes of the next showcase rankings, each closing by itself.
  std::vector<int> showcases(int n) {
    std::vector<int> modes;
    for (int k = 0; k < n; ++k) {
      scene.tasks.broadcast(kMsgDemoEnded);  // as the demonstration does when it ends
      scene.step(1.2f);                       // "delay_exec"
      auto ranking = title->showcase();
      if (!ranking) {
        ADD_FAILURE() << "no showcase ranking after demonstration " << k;
        return modes;
      }
      modes.push_back(ranking->mode());
      const int closed = count(kMsgRankingClosed);
      for (int i = 0; i < 60 * 30 && count(kMsgRankingClosed) == closed; ++i) scene.step(1.0f / 60.0f);
      EXPECT_EQ(Title::kMenu, title->state()) << "the menu returns when the ranking closes";
    }
    return modes;
  }
};

TEST(Title, ShowcaseRankingsRotateOverThePlayableModesOnly) {
  ORB_REQUIRE_HUD_GL();
  {
    TitleScreen screen("title_showcase_one", false, false);
    screen.toMenu();
    EXPECT_EQ((std::vector<int>{0, 0, 0}), screen.showcases(3)) << "only the normal table is offered";
  }
  {
    TitleScreen screen("title_showcase_all", true, true);
    screen.toMenu();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 0}), screen.showcases(4));
  }
}

TEST(Title, AnOpenSoundOrEarthMenuHoldsTheAttractCycle) {
  ORB_REQUIRE_HUD_GL();
  TitleScreen screen("title_hold", false, false);
  screen.toMenu();
  for (int opened : {static_cast<int>(kMsgSoundMenuOpened), static_cast<int>(kMsgEarthMenuOpened)}) {
    screen.scene.tasks.broadcast(opened);
    screen.scene.step(25.0f);  // longer than "disp_time"
    EXPECT_EQ(Title::kMenu, screen.title->state()) << "menu " << opened;
    EXPECT_EQ(0, screen.count(kMsgControlBlock)) << "the attract cycle started under menu " << opened;
    screen.scene.tasks.broadcast(opened + 1);  // closed again
  }
  screen.scene.step(21.0f);
  EXPECT_EQ(Title::kWaitDemo, screen.title->state()) << "once closed, the idle timer runs again";
  EXPECT_FALSE(screen.settings.getFlag("firstexec")) << "the menu closing for the attract cycle (44) ends the first run";
}

TEST(Title, PlayPressedWithARealClickStopsTheIdleTimerAndStartsTheGame) {
  ORB_REQUIRE_HUD_GL();
  TitleScreen screen("title_play", false, false);
  ASSERT_TRUE(screen.settings.getFlag("firstexec"));
  screen.toMenu();
  // Idle until the attract cycle is only a moment away, then choose.
  screen.scene.step(screen.title->idleCountdown() - 0.3f);
  ASSERT_GT(screen.title->idleCountdown(), 0.0f);
  // Click where "play" is laid out: the touch menu must find the button there.
  const picojson::value& play = json::at(json::at(json::at(screen.scene.params.root(), "title"), "start_widgets"), "play");
  Widget probe(play, nullptr, screen.scene.screen.pair);
  screen.click(probe);
  EXPECT_EQ(1, screen.count(kMsgModeChosen));
  EXPECT_EQ(0.0f, screen.title->idleCountdown()) << "choosing a mode stops the idle timer";
  EXPECT_EQ(0, screen.count(kMsgGameCreated)) << "the game waits for \"game_start_delay\"";
  screen.scene.step(2.0f);
  EXPECT_EQ(0, screen.count(kMsgControlBlock)) << "the attract cycle never interrupts a starting game";
  EXPECT_EQ(1, screen.count(kMsgGameCreated)) << "the game was created";
  EXPECT_EQ(kModeNormal, screen.scene.context.mode);
  EXPECT_FALSE(screen.scene.context.demonstration);
  EXPECT_FALSE(screen.title->alive()) << "the title ends when the game starts";
  EXPECT_FALSE(screen.settings.getFlag("firstexec")) << "starting a game (44) ends the first run";
}

}  // namespace
}  // namespace orb
