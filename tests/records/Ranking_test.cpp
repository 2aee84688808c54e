#include "records/Ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "data/DzFile.h"
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
#include "support/PngWriter.h"
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

std::string zlibOf(const std::string& text) {
  dz::Bytes out;
  dz::compress(dz::Bytes(text.begin(), text.end()), out);
  return std::string(out.begin(), out.end());
}

// The game screen after a game: globe, 2D pass, the player's save folder and
// settings, the touch road, and a log of every broadcast.
struct RankingScreen {
  TouchDispatcher touch;  // outlives the scene's tasks, which leave it as they go
  HudScene scene;
  std::string save;
  SettingsStore settings;
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();

  explicit RankingScreen(const std::string& name) : save(test::scratchDir(name)) {
    GameContext& c = scene.context;
    settings.open(scene.dataDir, save);
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = test::kHudW;
    m.logicalHeight = m.windowHeight = test::kHudH;
    touch.setMapping(m);
    c.saveDir = &save;
    c.settings = &settings;
    c.touch = &touch;
    c.touchMenu = std::make_shared<TouchMenu>(&touch);  // first in the touch road, as the game root has it
    scene.tasks.add(kLayerLogic, c.touchMenu);
    scene.camera.orientation = quatFromAngles(20.0f * kDegToRad, 100.0f * kDegToRad);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.earth->lightLevel = 0.5f;  // the title and the results dim the globe
    scene.tasks.create<GameWorld>(kLayerGlobe, &c);
    scene.tasks.create<Game2DSetup>(kLayer2DSetup, scene.camera2d);
    scene.tasks.add(kLayerLogic, log);
  }

  std::shared_ptr<Ranking> open(int mode, bool newResult) {
    auto r = scene.tasks.create<Ranking>(kLayerScreen, &scene.context, mode, newResult);
    scene.tasks.update(1.0f / 60.0f);
    return r;
  }

  void tap(float x, float y) {
    touch.began({Touch{x, y, x, y}});
    touch.ended({Touch{x, y, x, y}});
  }

  float param(const char* key) const { return json::real(json::at(scene.params.root(), "ranking"), key); }
};

// Ten stored rows scoring 100, 90 ... 10, each with 5 places found.
std::string tenRows() {
  std::string rows;
  for (int s = 100; s >= 10; s -= 10) {
    rows += (rows.empty() ? "" : ",") + std::string("{\"konahen\":5,\"level\":1,\"score\":") + std::to_string(s) + "}";
  }
  return "{\"advanced\":[" + rows + "],\"normal\":[" + rows + "],\"survival\":[" + rows + "]}";
}

TEST(Ranking, AResultInFifthPlaceUnlocksExactlyOneFlagByModeAndSixthNothing) {
  ORB_REQUIRE_HUD_GL();
  const char* flags[] = {"advanced", "survival", "earth_texture"};
  for (int mode = 0; mode < 3; ++mode) {
    // 60 with 5 places ties the fifth row and, being newer, stands above it; 59 falls below.
    for (int score : {60, 59}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", score " << score);
      RankingScreen screen("ranking_unlock");
      test::writeFile(screen.save + "results.dz", zlibOf(tenRows()));
      GameContext& c = screen.scene.context;
      c.mode = mode;
      c.level = 1;
      c.correctCount = 5;
      c.score = score;
      auto ranking = screen.open(mode, true);
      EXPECT_EQ(ranking->newRowPosition(), score == 60 ? 4 : 5);
      const auto& row = ranking->rows()[static_cast<std::size_t>(ranking->newRowPosition())];
      EXPECT_EQ(row.level, 2);
      EXPECT_EQ(row.score, score);
      for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(screen.settings.getFlag(flags[m]), score == 60 && m == mode) << flags[m];
      }
    }
  }
}

TEST(Ranking, AShowcaseClosesByItselfAfterItsDisplayTimeAndBringsTheLightBack) {
  ORB_REQUIRE_HUD_GL();
  RankingScreen screen("ranking_showcase");
  auto ranking = screen.open(kModeAdvanced, false);
  const float dispTime = screen.param("disp_time");
  ASSERT_GT(dispTime, screen.param("time_ed"));

  screen.scene.step(screen.param("time_ed") + 3.5f * screen.param("col_demo_time"));
  EXPECT_TRUE(ranking->shown());
  EXPECT_EQ(ranking->highlightRow(), 7) << "the highlight walks up from below the table";

  screen.scene.step(dispTime - screen.param("time_ed") - 3.5f * screen.param("col_demo_time") - 0.1f);
  EXPECT_FALSE(ranking->closing());
  EXPECT_EQ(screen.log->count(kMsgRankingClosed), 0);

  screen.scene.step(0.2f);
  EXPECT_TRUE(ranking->closing());
  const auto& codes = screen.log->codes;
  const auto closed = std::find(codes.begin(), codes.end(), kMsgRankingClosed);
  ASSERT_NE(closed, codes.end());
  ASSERT_NE(closed + 1, codes.end());
  EXPECT_EQ(*(closed + 1), kMsgRankingGone) << "46 then 48";
  EXPECT_EQ(screen.log->count(kMsgRankingClosed), 1);
  EXPECT_EQ(screen.log->count(kMsgAgreed), 0);

  screen.scene.step(1.05f);
  EXPECT_FALSE(ranking->alive());
  EXPECT_FLOAT_EQ(screen.scene.earth->lightLevel, 1.0f);
  EXPECT_EQ(screen.log->count(kMsgRankingClosed), 1) << "closes once";
  EXPECT_FALSE(dz::fileExists(screen.save + "results.dz")) << "a showcase stores nothing";
}

TEST(Ranking, ATapDuringTheOpeningOnlyCompletesItThenOnlyTheContinueButtonCloses) {
  ORB_REQUIRE_HUD_GL();
  RankingScreen screen("ranking_new_result");
  screen.scene.context.score = 150;
  screen.scene.context.correctCount = 12;
  auto ranking = screen.open(kModeNormal, true);
  screen.scene.step(0.1f);
  ASSERT_FALSE(ranking->shown());

  screen.tap(480, 320);
  screen.scene.step(1.0f / 60.0f);
  EXPECT_TRUE(ranking->shown());
  EXPECT_FALSE(ranking->closing());
  EXPECT_FLOAT_EQ(ranking->transition().y, 1.0f) << "the opening jumps to its end";

  for (int i = 0; i < 3; ++i) {
    screen.tap(100.0f + 300.0f * static_cast<float>(i), 200.0f);
    screen.scene.step(0.2f);
  }
  EXPECT_FALSE(ranking->closing()) << "taps beside the button do nothing";
  EXPECT_EQ(screen.log->count(kMsgRankingClosed), 0);

  // The continue button, where its parameters put it (screen pixels = layout units + half the screen).
  const Widget button(json::at(json::at(screen.scene.params.root(), "agree"), "widget"), nullptr,
                      screen.scene.screen.pair);
  ASSERT_GT(button.width, 0.0f) << "no continue button: a new result could never be closed";
  const Vec2<float> corner = button.topLeft();
  screen.tap(corner.x + button.width / 2 + test::kHudW / 2, corner.y + button.height / 2 + test::kHudH / 2);
  screen.scene.step(1.0f / 60.0f);
  EXPECT_EQ(screen.log->count(kMsgAgreed), 1);
  EXPECT_TRUE(ranking->closing());
  EXPECT_EQ(screen.log->count(kMsgRankingClosed), 1);
  EXPECT_EQ(screen.log->count(kMsgRankingGone), 1);
  screen.scene.step(screen.param("time_ed"));
  EXPECT_FALSE(ranking->alive());
}

// Rows of the image (in 2D overlay y, top -320) whose band holds pixels close to colour.
int pixelsNear(const std::vector<unsigned char>& rgb, int yTop, int yBottom, std::array<int, 3> colour) {
  int n = 0;
  for (int y = yTop; y <= yBottom; ++y)
    for (int x = -300; x <= 300; ++x) {
      const auto p = test::hudPixel(rgb, x, y);
      bool near = true;
      for (int k = 0; k < 3; ++k) near = near && std::abs(p[k] - colour[k]) < 60;
      n += near;
    }
  return n;
}

TEST(Ranking, ADamagedResultsFileIsKeptAsideAndTheShippedTableStillShows) {
  ORB_REQUIRE_HUD_GL();
  RankingScreen screen("ranking_damaged_screen");
  const std::string junk = "\x78\x9c\x01\x02 truncated";
  test::writeFile(screen.save + "results.dz", junk);
  screen.scene.context.score = 1;
  auto ranking = screen.open(kModeNormal, true);
  screen.scene.step(1.5f);

  int kept = 0;
  for (const auto& e : std::filesystem::directory_iterator(screen.save)) {
    if (e.path().filename().string().rfind("results.dz.damaged-", 0) == 0) {
      ++kept;
      EXPECT_EQ(test::readFile(e.path().string()), junk);
    }
  }
  EXPECT_EQ(kept, 1);
  EXPECT_GT(ranking->rows()[0].score, 1) << "the shipped table is shown";

  screen.scene.render();
  const auto rgb = test::readHud();
  // Row 0 of the new-result display sits at y = -165: red text there.
  EXPECT_GT(pixelsNear(rgb, -185, -160, {230, 0, 0}), 40);
}

}  // namespace
}  // namespace orb

namespace orb {
namespace {

// The window's bottom-left w x h pixels, top row first.
std::vector<unsigned char> readCorner(int w, int h) {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3), flipped(rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  const std::size_t row = static_cast<std::size_t>(w) * 3;
  for (int y = 0; y < h; ++y) std::copy_n(rgb.data() + (h - 1 - y) * row, row, flipped.data() + y * row);
  return flipped;
}

// One frame in a w x h window, letter-boxed to 3:2 as the game's reshape does.
std::vector<unsigned char> frame(HudScene& scene, int w, int h) {
  glViewport(0, 0, w, h);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  const int vw = std::min(w, h * 3 / 2), vh = vw * 2 / 3;
  glViewport((w - vw) / 2, (h - vh) / 2, vw, vh);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  scene.tasks.draw();
  glFinish();
  return readCorner(w, h);
}

TEST(Ranking, ShotsOfBothDisplaysOverTheGlobe) {
  ORB_REQUIRE_HUD_GL();
  const std::string dir = test::scratchDir("ranking_shots");
  for (bool newResult : {true, false}) {
    RankingScreen screen(newResult ? "ranking_shot_new" : "ranking_shot_showcase");
    GameContext& c = screen.scene.context;
    c.level = 2;
    c.correctCount = 14;
    c.score = 196;
    auto ranking = screen.open(kModeNormal, newResult);
    screen.scene.step(screen.param("time_ed") + 0.9f);
    for (auto [w, h] : {std::pair{960, 640}, std::pair{640, 400}}) {
      const std::string name = std::string(newResult ? "new_result" : "showcase") + "_" + std::to_string(w) + "x" +
                               std::to_string(h) + ".png";
      const auto rgb = frame(screen.scene, w, h);
      EXPECT_TRUE(test::writePng(dir + name, rgb, w, h)) << dir + name;
      // The first row's red text stands where the layout puts it, scaled to the window.
      const float scale = static_cast<float>(std::min(w, h * 3 / 2)) / test::kHudW;
      const float rowTop = (newResult ? -230.0f : -200.0f) + 65.0f - 20.0f;
      const int y0 = static_cast<int>(h / 2 + rowTop * scale), y1 = static_cast<int>(h / 2 + (rowTop + 25.0f) * scale);
      int red = 0;
      for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < w; ++x) {
          const unsigned char* p = rgb.data() + (static_cast<std::size_t>(y) * w + x) * 3;
          red += p[0] > 170 && p[1] < 60 && p[2] < 60;
        }
      EXPECT_GT(red, static_cast<int>(60 * scale * scale)) << name;
    }
    screen.scene.step(0.3f);  // mid-closing
    ranking->message(kMsgAgreed);
    screen.scene.step(0.25f);
    const std::string name = std::string(newResult ? "new_result" : "showcase") + "_closing.png";
    test::writePng(dir + name, frame(screen.scene, 960, 640), 960, 640);
  }
}

}  // namespace
}  // namespace orb
