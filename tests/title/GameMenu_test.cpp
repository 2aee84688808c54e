// The in-game menu with the shipped layout, pressed through the real touch
// road (window pixels into the dispatcher, the touch menu's hit test).
#include "title/GameMenu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/HudScene.h"
#include "game/RoundFixture.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"

namespace orb {
namespace {

TEST(GameMenu, ButtonsAnswerWhereTheyAreDrawnWhileTheMenuStandsAside) {
  ORB_REQUIRE_HUD_GL();
  TouchDispatcher touch;  // outlives the tasks that listen to it
  test::HudScene scene;
  TouchDispatcher::Mapping m;
  m.logicalWidth = m.windowWidth = 960;
  m.logicalHeight = m.windowHeight = 640;
  touch.setMapping(m);
  auto probe = std::make_shared<test::CodeProbe>();
  scene.tasks.add(kLayerLogic, probe);
  scene.context.touchMenu = scene.tasks.create<TouchMenu>(kLayerLogic, &touch);
  auto menu = scene.tasks.create<GameMenu>(kLayerScreen, &scene.context);
  scene.step(GameMenu::kSlideTime + 0.1f);
  ASSERT_FALSE(menu->sliding());

  // A click at the middle of a widget as it is drawn: its rest place moved by the menu's offset.
  const auto clickOn = [&](const char* name) {
    const Widget& w = *menu->widget(name);
    const Vec2<float> c = w.topLeft() + Vec2<float>(w.width / 2, w.height / 2);
    Touch t;
    t.x = t.prevX = c.x + 480.0f;
    t.y = t.prevY = c.y + 320.0f;
    touch.began({t});
    touch.ended({t});
  };
  const auto toggles = [&] {
    return std::count(probe->codes.begin(), probe->codes.end(), static_cast<int>(kMsgPauseToggle));
  };

  clickOn("abort");
  EXPECT_TRUE(menu->paused());
  EXPECT_EQ(1, toggles());
  scene.step(GameMenu::kConfirmTime + 0.1f);
  ASSERT_TRUE(menu->confirmShown());
  ASSERT_LT(menu->offset(), 0.0f) << "the menu stands aside while paused";
  const Widget& resume = *menu->widget("abort_ng");
  EXPECT_LE(resume.topLeft().x + resume.width, 480.0f) << "\"Resume\" is on screen";

  clickOn("abort_ng");
  EXPECT_FALSE(menu->paused()) << "the drawn \"Resume\" resumes";
  EXPECT_EQ(2, toggles());
  scene.step(GameMenu::kConfirmTime + 0.1f);
  clickOn("abort");
  EXPECT_TRUE(menu->paused()) << "the pause button is back at its place";
}

}  // namespace
}  // namespace orb
