// The results screen with the shipped parameters and art, driven through the
// real touch road (window pixels into the dispatcher, the touch menu's hit
// test). Writes screenshots of the count-up and the finished screen over the
// globe to <build>/tests/scratch/results_shots/<name>-<pid>/ for a person to
// look at, and checks what the pictures must show.
#include "records/Results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "data/SettingsStore.h"
#include "game/HudScene.h"
#include "game/RoundFixture.h"
#include "gfx/GlobeMath.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::HudScene;

struct Figures {
  int level = 0, correct = 0, just = 0, justMax = 0, taps = 0, score = 0;
};

// The game root's pieces a results screen reaches: the globe, the 2D pass,
// the touch menu on a 960 x 640 window, and settings read from the shipped
// defaults into a scratch save folder.
struct ResultsScreen {
  TouchDispatcher touch;  // outlives the tasks that listen to it
  SettingsStore settings;
  HudScene scene;
  std::shared_ptr<TouchMenu> menu;
  std::shared_ptr<test::CodeProbe> probe = std::make_shared<test::CodeProbe>();
  std::shared_ptr<Results> results;

  explicit ResultsScreen(bool globe = true) {
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = 960;
    m.logicalHeight = m.windowHeight = 640;
    touch.setMapping(m);
    settings.open(scene.dataDir, test::scratchDir("results_save"));
    GameContext& c = scene.context;
    c.settings = &settings;
    c.touch = &touch;
    menu = scene.tasks.create<TouchMenu>(kLayerLogic, &touch);
    c.touchMenu = menu;
    scene.tasks.add(kLayerLogic, probe);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.camera.orientation = quatFromAngles(0.35f, 2.2f);
    if (globe) scene.tasks.create<GameWorld>(kLayerGlobe, &c);
    scene.tasks.create<Game2DSetup>(kLayer2DSetup, scene.camera2d);
  }

  void open(const Figures& f, int mode = kModeNormal) {
    GameContext& c = scene.context;
    c.mode = mode;
    c.level = f.level;
    c.correctCount = f.correct;
    c.justCount = f.just;
    c.bestStreak = f.justMax;
    c.totalTaps = f.taps;
    c.score = f.score;
    results = scene.tasks.create<Results>(kLayerScreen, &c);
    scene.tasks.update(1.0f / 60.0f);
  }

  // A click at a layout point (origin at the screen centre), as the mouse gives it.
  void click(float x, float y) {
    Touch t;
    t.x = t.prevX = x + 480.0f;
    t.y = t.prevY = y + 320.0f;
    touch.began({t});
    touch.ended({t});
  }

  void runUntil(const std::function<bool()>& done, float limit = 10.0f) {
    for (float t = 0.0f; t < limit && !done(); t += 1.0f / 60.0f) scene.tasks.update(1.0f / 60.0f);
  }

  int count(int code) const {
    return static_cast<int>(std::count(probe->codes.begin(), probe->codes.end(), code));
  }

  float section(const char* key) const { return json::real(json::at(scene.params.root(), "results"), key); }
  float openingTime() const {
    float total = 0.0f;
    for (const auto& seg : json::array(json::at(json::at(scene.params.root(), "results"), "easing_in")))
      total += json::realAt(seg, 4);
    return total;
  }
};

// The fame the screen itself gives a game.
int fameShown(const Figures& f) {
  ResultsScreen s(false);
  s.open(f);
  return s.results->fame();
}

// Rows of the readHud() image that hold bright ink inside a layout rectangle.
int inkRows(const std::vector<unsigned char>& rgb, int x0, int y0, int w, int h) {
  int rows = 0;
  for (int y = y0; y < y0 + h; ++y) {
    bool ink = false;
    for (int x = x0; x < x0 + w && !ink; ++x) ink = test::hudPixel(rgb, x, y)[1] > 160;
    rows += ink ? 1 : 0;
  }
  return rows;
}

TEST(Results, FameCountStaysWithinZeroToThree) {
  ORB_REQUIRE_HUD_GL();
  struct Row {
    const char* name;
    Figures figures;  // level index, found, first-tap, best streak, taps, score
    int fame;
  };
  const Row rows[] = {
      {"nothing found", {0, 0, 0, 0, 0, 0}, 0},
      {"one place found after a thousand taps", {0, 1, 0, 0, 1000, 10}, 0},
      {"three taps per place cancel a good level", {4, 12, 0, 0, 36, 900}, 0},
      {"eight points", {0, 80, 0, 0, 80, 3000}, 2},
      {"exactly nine points", {0, 90, 0, 0, 90, 3600}, 3},
      {"every counter far past the top", {30, 999, 999, 998, 999, 9999}, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Figures& f = row.figures;
    EXPECT_EQ(row.fame, Results::fameCount(f.level, f.correct, f.just, f.justMax, f.taps));
    EXPECT_EQ(row.fame, fameShown(f)) << "the screen rates the game in its context";
  }
}

TEST(Results, NoCorrectAnswerShowsDashesAndAddsNoTapTerm) {
  ORB_REQUIRE_HUD_GL();
  // Level 7 alone is worth 3 points: one mark. Seven taps and no place found
  // must not enter the sum (there is nothing to divide them by).
  ResultsScreen none(false);
  none.open({6, 0, 0, 0, 7, 0});
  EXPECT_EQ(1, none.results->fame());
  EXPECT_EQ(0.0f, none.results->tapAverage());
  none.runUntil([&] { return none.results->finished() && none.results->mark(2).y >= 1.0f; });
  none.scene.render();
  const auto dashes = test::readHud();

  ResultsScreen some(false);
  some.open({6, 4, 2, 1, 6, 300});
  EXPECT_FLOAT_EQ(1.5f, some.results->tapAverage());
  some.runUntil([&] { return some.results->finished() && some.results->mark(2).y >= 1.0f; });
  some.scene.render();
  const auto digits = test::readHud();

  // The average's row, from its first glyph to past its last.
  const picojson::value& numPos = json::at(json::at(none.scene.params.root(), "results"), "num_pos");
  const int x = static_cast<int>(none.section("ofs_x") + json::realAt(numPos, 0));
  const int y = static_cast<int>(none.section("ofs_y") + 5 * none.section("next_y"));
  const int dashRows = inkRows(dashes, x, y, 104, 40), digitRows = inkRows(digits, x, y, 104, 40);
  EXPECT_GT(digitRows, 20) << "\"01.50\" stands as tall as a digit";
  EXPECT_GT(dashRows, 0) << "something is shown";
  EXPECT_LT(dashRows, 10) << "dashes and a point: a thin band at mid-height";
}

TEST(Results, TouchDuringTheOpeningIsIgnoredOneWithinTheInputDelayIsHeld) {
  ORB_REQUIRE_HUD_GL();
  const Figures game{3, 40, 20, 9, 55, 4000};
  {
    ResultsScreen s(false);
    const float delay = s.section("input_delay");
    ASSERT_LT(s.openingTime() + 0.1f, delay) << "the data leave room for a held touch";
    ASSERT_LT(delay + 0.2f, 7 * s.section("ctup_delay") + s.section("countup"))
        << "the count-up outlasts the delay, so only a skip can end it early";
    s.open(game);
    ASSERT_TRUE(s.results->opening());
    s.click(0, 0);
    s.scene.step(delay + 0.1f);
    EXPECT_FALSE(s.results->finished()) << "the tap during the opening was dropped";
    EXPECT_LT(s.results->shown(Results::kScore), 4000.0f);
  }
  ResultsScreen s(false);
  const float delay = s.section("input_delay");
  s.open(game);
  float t = 1.0f / 60.0f;
  for (; s.results->opening(); t += 1.0f / 60.0f) s.scene.tasks.update(1.0f / 60.0f);
  ASSERT_LT(t + 0.1f, delay);
  s.click(0, 0);  // after the opening, inside the input delay
  for (; t < delay - 0.05f; t += 1.0f / 60.0f) s.scene.tasks.update(1.0f / 60.0f);
  EXPECT_FALSE(s.results->finished()) << "held while the delay runs";
  s.scene.step(0.1f);
  ASSERT_TRUE(s.results->finished()) << "acted on once the delay is over";
  EXPECT_FLOAT_EQ(40.0f, s.results->shown(Results::kKonahen));
  EXPECT_FLOAT_EQ(4000.0f, s.results->shown(Results::kScore));
}

TEST(Results, EachScreenCountsItsGameOnceAndGrantsNightModeForEveryPlace) {
  ORB_REQUIRE_HUD_GL();
  ResultsScreen s(false);
  picojson::value& places = s.settings.member("places");
  json::member(places, "c_fra") = picojson::value(true);
  json::member(places, "c_jpn") = picojson::value(false);
  s.settings.setFlag("played", false);

  s.open({1, 10, 5, 3, 12, 700}, kModeAdvanced);
  const auto plays = [&](int mode) {
    return json::integer(json::element(s.settings.member("playnum"), mode));
  };
  EXPECT_TRUE(s.settings.getFlag("played"));
  EXPECT_EQ(1, plays(kModeAdvanced));
  EXPECT_FALSE(s.settings.getFlag("nightmode")) << "one place is still missing";

  // Its whole life, through the continue button, adds nothing more.
  s.runUntil([&] { return s.results->finished(); });
  s.scene.tasks.broadcast(kMsgAgreed);
  s.runUntil([&] { return !s.results->alive(); });
  ASSERT_FALSE(s.results->alive());
  EXPECT_EQ(1, plays(kModeAdvanced));

  json::member(places, "c_jpn") = picojson::value(true);
  s.open({1, 10, 5, 3, 12, 700}, kModeAdvanced);
  EXPECT_EQ(2, plays(kModeAdvanced));
  EXPECT_EQ(0, plays(kModeNormal));
  EXPECT_EQ(0, plays(kModeSurvival));
  EXPECT_TRUE(s.settings.getFlag("nightmode")) << "every place has been found";
}

TEST(Results, TouchDuringTheCountUpShowsTheFiguresThenOnlyTheButtonContinues) {
  ORB_REQUIRE_HUD_GL();
  ResultsScreen s(false);
  s.open({4, 57, 31, 12, 83, 6120});
  s.runUntil([&] { return !s.results->opening(); });
  s.scene.step(s.section("input_delay"));
  ASSERT_FALSE(s.results->finished());
  ASSERT_LT(s.results->shown(Results::kScore), 6120.0f);
  EXPECT_EQ(0u, s.menu->buttonCount()) << "no continue button while counting";

  s.click(-100, 100);
  s.scene.step(1.0f / 60.0f);
  ASSERT_TRUE(s.results->finished());
  const Results::Row rows[] = {Results::kKonahen, Results::kLevel, Results::kJust, Results::kJustMax,
                               Results::kTap, Results::kTapAvg, Results::kScore};
  for (Results::Row row : rows) EXPECT_FLOAT_EQ(s.results->target(row), s.results->shown(row)) << row;
  EXPECT_FLOAT_EQ(5.0f, s.results->shown(Results::kLevel));
  EXPECT_NEAR(83.0f / 57.0f, s.results->shown(Results::kTapAvg), 1e-5f);
  ASSERT_EQ(1u, s.menu->buttonCount()) << "the continue button came with the final figures";

  // Taps beside the button change nothing.
  s.scene.step(1.0f);
  s.click(-100, 100);
  s.click(0, -200);
  s.scene.step(1.0f);
  EXPECT_FALSE(s.results->closing());
  EXPECT_EQ(0, s.count(kMsgResultsDone));
  EXPECT_EQ(0, s.count(kMsgAgreed));
  for (int i = 0; i < Results::kFameMarks; ++i) EXPECT_FLOAT_EQ(1.0f, s.results->mark(i).x) << "mark " << i;

  // A player's click on the button's middle.
  const picojson::value& button = json::at(json::at(s.scene.params.root(), "agree"), "widget");
  const float bx = json::realAt(json::at(button, "pos"), 0), by = json::realAt(json::at(button, "pos"), 1);
  s.click(bx, by);
  EXPECT_EQ(1, s.count(kMsgAgreed));
  s.scene.step(1.0f / 30.0f);
  EXPECT_TRUE(s.results->closing());
  EXPECT_EQ(1, s.count(kMsgResultsDone));
  s.click(bx, by);  // a second press of the fading button
  s.runUntil([&] { return !s.results->alive(); });
  EXPECT_FALSE(s.results->alive()) << "the panel closed and left";
  EXPECT_EQ(1, s.count(kMsgResultsDone));
  EXPECT_EQ(1, s.count(kMsgAgreed));
  s.scene.step(1.0f);
  EXPECT_EQ(0u, s.menu->buttonCount()) << "the button left too";
}

// The finished screen drawn on black: everything bright lies inside the
// panel's box or the continue button.
TEST(ResultsShots, PanelHoldsEveryLabelAndNumber) {
  ORB_REQUIRE_HUD_GL();
  const std::string dir = test::scratchDir("results_shots/panel");
  {
    ResultsScreen s;
    s.open({5, 63, 38, 17, 92, 7385});
    s.runUntil([&] { return s.results->shown(Results::kTap) > 40.0f; });
    s.scene.render();
    EXPECT_TRUE(test::writeHudPng(dir + "countup_960x640.png", test::readHud()));
    s.runUntil([&] { return s.results->mark(2).y >= 1.0f; });
    s.scene.step(0.5f);
    s.scene.render();
    EXPECT_TRUE(test::writeHudPng(dir + "finished_960x640.png", test::readHud()));

    // The same frame in a 640 x 400 window: a 600 x 400 letter-box.
    glViewport(0, 0, 600, 400);
    glClear(GL_COLOR_BUFFER_BIT);
    s.scene.tasks.draw();
    glFinish();
    std::vector<unsigned char> small(600 * 400 * 3), flipped(small.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 600, 400, GL_RGB, GL_UNSIGNED_BYTE, small.data());
    for (int y = 0; y < 400; ++y)
      std::copy_n(small.data() + (399 - y) * 1800, 1800, flipped.data() + y * 1800);
    EXPECT_TRUE(test::writePng(dir + "finished_640x400.png", flipped, 600, 400));
  }
  {
    ResultsScreen s;  // one mark lit, two dark slots; dashes for the average
    s.open({6, 0, 0, 0, 7, 0});
    s.runUntil([&] { return s.results->mark(2).y >= 1.0f; });
    s.scene.render();
    EXPECT_TRUE(test::writeHudPng(dir + "nothing_found_960x640.png", test::readHud()));
  }

  ResultsScreen s(false);
  s.open({5, 63, 38, 17, 92, 7385});
  s.runUntil([&] { return s.results->mark(2).y >= 1.0f; });
  s.scene.step(0.5f);
  s.scene.render();
  const auto rgb = test::readHud();
  const picojson::value& button = json::at(json::at(s.scene.params.root(), "agree"), "widget");
  const float bx = json::realAt(json::at(button, "pos"), 0), by = json::realAt(json::at(button, "pos"), 1);
  const float bw = json::realAt(json::at(button, "size"), 0), bh = json::realAt(json::at(button, "size"), 1);
  const float left = -Results::kBoxWidth / 2, top = Results::kBoxCentreY - Results::kBoxHeight / 2;
  int outside = 0, inside = 0;
  for (int y = -320; y < 320; ++y)
    for (int x = -480; x < 480; ++x) {
      const auto p = test::hudPixel(rgb, x, y);
      if (std::max({p[0], p[1], p[2]}) < 48) continue;
      const bool inBox =
          x >= left && x < left + Results::kBoxWidth && y >= top && y < top + Results::kBoxHeight;
      const bool onButton = std::abs(x - bx) <= bw / 2 && std::abs(y - by) <= bh / 2;
      if (inBox) {
        ++inside;
      } else if (!onButton) {
        ++outside;
      }
    }
  EXPECT_EQ(0, outside);
  EXPECT_GT(inside, 5000);
  // The three marks of a three-mark game are lit: warm and bright at their middles.
  ASSERT_EQ(3, s.results->fame());
  for (const char* name : {"result_fame1", "result_fame2", "result_fame3"}) {
    const Widget& w = *s.scene.widgets->get(name);
    const auto p = test::hudPixel(rgb, static_cast<int>(w.x), static_cast<int>(w.y));
    EXPECT_GT(p[0], 200) << name;
    EXPECT_GT(p[0], p[2] + 80) << name;
  }
}
}  // namespace
}  // namespace orb
