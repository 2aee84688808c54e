#include "title/Staff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/Json.h"
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

struct CreditsScreen {
  TouchDispatcher touch;
  HudScene scene;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();

  CreditsScreen() {
    GameContext& c = scene.context;
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.touch = &touch;
    c.touchMenu = std::make_shared<TouchMenu>(&touch);
    scene.tasks.add(kLayerLogic, c.touchMenu);
    scene.tasks.add(kLayerLogic, log);
    scene.camera.orientation = quatFromAngles(20.0f * kDegToRad, 100.0f * kDegToRad);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.earth->lightLevel = 0.5f;
    scene.tasks.create<GameWorld>(kLayerGlobe, &c);
    scene.tasks.create<Game2DSetup>(kLayer2DSetup, scene.camera2d);
  }

  Widget continueButton() const {
    return Widget(json::at(json::at(scene.params.root(), "agree"), "widget"), nullptr, scene.screen.pair);
  }

  void tapContinue() {
    const Widget button = continueButton();
    const Vec2<float> corner = button.topLeft();
    const float x = corner.x + button.width / 2 + test::kHudW / 2;
    const float y = corner.y + button.height / 2 + test::kHudH / 2;
    touch.began({Touch{x, y, x, y}});
    touch.ended({Touch{x, y, x, y}});
  }
};

TEST(Staff, TheRollReturnsToTheMenuAQuarterSecondIntoItsOneSecondFade) {
  ORB_REQUIRE_HUD_GL();
  CreditsScreen screen;
  auto staff = screen.scene.tasks.create<Staff>(kLayerScreen, &screen.scene.context);
  screen.scene.step(Staff::kAgreeAfter - 0.1f);
  EXPECT_EQ(screen.scene.context.touchMenu->buttonCount(), 0u) << "no continue button before 2 s";
  screen.scene.step(0.2f);
  EXPECT_EQ(screen.scene.context.touchMenu->buttonCount(), 1u);
  EXPECT_FLOAT_EQ(staff->alpha(), 1.0f);
  EXPECT_FLOAT_EQ(staff->scale(), 1.0f);

  screen.scene.step(0.5f);  // the button has faded in
  screen.scene.render();
  const auto rgb = test::readHud();
  test::writeHudPng(test::scratchDir("staff_shot") + "roll.png", rgb);
  int bright = 0;
  for (int y = -200; y <= 150; ++y)
    for (int x = -250; x <= 250; ++x) {
      const auto p = test::hudPixel(rgb, x, y);
      bright += p[0] > 200 && p[1] > 200 && p[2] > 200;
    }
  EXPECT_GT(bright, 2000) << "lines of white text fill the roll";

  // The roll, at full size, stays clear of the continue button and the screen's edges.
  const float yOfs = json::real(json::at(screen.scene.params.root(), "staff"), "y_ofs");
  EXPECT_LT(staff->boxHeight() / 2 + yOfs, screen.continueButton().topLeft().y);
  EXPECT_GT(-staff->boxHeight() / 2 + yOfs, -test::kHudH / 2.0f);
  EXPECT_LT(staff->boxWidth(), static_cast<float>(test::kHudW));

  screen.tapContinue();
  screen.scene.step(1.0f / 60.0f);
  ASSERT_EQ(screen.log->count(kMsgAgreed), 1);
  screen.scene.step(Staff::kDoneAfter - 0.05f);
  EXPECT_EQ(screen.log->count(kMsgStaffDone), 0);
  screen.scene.step(0.1f);
  EXPECT_EQ(screen.log->count(kMsgStaffDone), 1);
  EXPECT_TRUE(staff->alive()) << "still fading while the menu comes back";
  EXPECT_GT(staff->alpha(), 0.0f);
  screen.scene.step(Staff::kCloseTime - Staff::kDoneAfter);
  EXPECT_FALSE(staff->alive());
  EXPECT_EQ(screen.log->count(kMsgStaffDone), 1);
}

TEST(Staff, AnEmptyRollIsAMarginOnlyBox) {
  ORB_REQUIRE_HUD_GL();
  CreditsScreen screen;
  json::member(json::member(screen.scene.params.root(), "staff"), "text") = picojson::value(picojson::array{});
  Staff staff(&screen.scene.context);
  EXPECT_EQ(staff.lineCount(), 0u);
  EXPECT_FLOAT_EQ(staff.boxWidth(), 40.0f);
  EXPECT_FLOAT_EQ(staff.boxHeight(), 30.0f);
}

}  // namespace
}  // namespace orb
