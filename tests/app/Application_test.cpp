#include "app/Application.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/DzFile.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GameProc.h"
#include "gfx/GlContext.h"
#include "support/TestPaths.h"
#include "gfx/GamePre.h"

namespace orb {
namespace {

picojson::value savedSettings(const std::string& saveDir) {
  dz::Bytes bytes;
  EXPECT_TRUE(dz::readCompressedFile(saveDir + "settings.dz", bytes));
  picojson::value v;
  picojson::parse(v, std::string(bytes.begin(), bytes.end()));
  return v;
}

TEST(Application, WaitScreenRunsTwoFramesThenTheGameTakesOver) {
  ORB_REQUIRE_GL();
  const std::string save = test::scratchDir("app_phases");
  Application app(960, 640, 1.0f, test::sourceDir(), save);
  app.init();
  ASSERT_NE(dynamic_cast<GamePre*>(app.root()), nullptr);
  app.frame(Application::kFrameStep);
  EXPECT_EQ(app.phase(), 0);
  EXPECT_NE(dynamic_cast<GamePre*>(app.root()), nullptr) << "still waiting after one frame";
  app.frame(Application::kFrameStep);
  EXPECT_EQ(app.phase(), 1);
  auto* game = dynamic_cast<GameProc*>(app.root());
  ASSERT_NE(game, nullptr) << "the game root replaces the wait screen at the end of the second frame";
  app.frame(Application::kFrameStep);
  EXPECT_EQ(dynamic_cast<GameProc*>(app.root()), game) << "the game root lives on";
}

// Brightest channel value in the region where the wait caption is drawn:
// (96, 16)-(288, 48) from the centre of the 960 x 640 2D space, y down.
int captionBrightness() {
  std::vector<unsigned char> pixels(192 * 32 * 3);
  glReadPixels(480 + 96, 640 - (320 + 48), 192, 32, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return *std::max_element(pixels.begin(), pixels.end());
}

TEST(Application, WaitCaptionIsOnScreenForBothWaitFrames) {
  ORB_REQUIRE_GL();
  Application app(960, 640, 1.0f, test::sourceDir(), test::scratchDir("app_caption"));
  app.init();
  app.reshape(960, 640);
  for (int frame = 0; frame < 2; ++frame) {
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_NE(dynamic_cast<GamePre*>(app.root()), nullptr);
    app.frame(Application::kFrameStep);
    EXPECT_GT(captionBrightness(), 200) << "frame " << frame;
  }
  EXPECT_NE(dynamic_cast<GameProc*>(app.root()), nullptr);
}

TEST(Application, ReshapeLetterBoxesTheTouchMapping) {
  ORB_REQUIRE_GL();
  Application app(960, 640, 1.0f, test::sourceDir(), test::scratchDir("app_reshape"));
  app.init();
  app.reshape(1000, 500);
  const TouchDispatcher::Mapping& m = app.touch().mapping();
  EXPECT_FLOAT_EQ(m.logicalWidth, 960);
  EXPECT_FLOAT_EQ(m.logicalHeight, 640);
  EXPECT_FLOAT_EQ(m.offsetX, 125);
  EXPECT_FLOAT_EQ(m.offsetY, 0);
  EXPECT_FLOAT_EQ(m.windowWidth, 1000);
  EXPECT_FLOAT_EQ(m.windowHeight, 500);
}

TEST(Application, ExitSavesWindowSizeAndVolume) {
  ORB_REQUIRE_GL();
  const std::string save = test::scratchDir("app_exit");
  {
    Application app(960, 640, 1.0f, test::sourceDir(), save);
    app.init();
    app.reshape(800, 600);
    app.sound().setVolume(0.5f);
  }
  const picojson::value saved = savedSettings(save);
  EXPECT_EQ(json::integer(saved, "width"), 800);
  EXPECT_EQ(json::integer(saved, "height"), 600);
  EXPECT_FLOAT_EQ(json::real(saved, "volume"), 0.5f);

  Application again(960, 640, 1.0f, test::sourceDir(), save);
  EXPECT_EQ(again.windowWidth(), 800) << "the next run opens at the saved size";
  EXPECT_EQ(again.windowHeight(), 600);
}

TEST(Application, UnusableStoredSizeFallsBackToTheAuthoredOne) {
  const std::string save = test::scratchDir("app_bad_size");
  const std::string text = "{\"width\":0,\"height\":-5,\"volume\":\"loud\"}";
  ASSERT_TRUE(dz::writeCompressedFile(save + "settings.dz", dz::Bytes(text.begin(), text.end())));
  Application app(960, 640, 1.0f, test::sourceDir(), save);
  EXPECT_EQ(app.windowWidth(), 960);
  EXPECT_EQ(app.windowHeight(), 640);
  EXPECT_FLOAT_EQ(app.sound().volume(), 1.0f);
}

}  // namespace
}  // namespace orb
