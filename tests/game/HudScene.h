#pragma once
// The game screen as the game root builds it (parameters, cameras, light,
// earth, caches, the game widget set, the globe task and the 2D pass) in a
// 960 x 640 GLUT window under Xvfb, for drawing the round's displays over the
// globe and reading the pixels back.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/FontCache.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GlCapabilities.h"
#include "gfx/TextureCache.h"
#include "gfx/WidgetSet.h"
#include "globe/EarthModel.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"
#include "gfx/GlContext.h"
#include "support/PngWriter.h"
#include "support/TestPaths.h"
#include "task/TaskList.h"

namespace orb::test {

constexpr int kHudW = 960;
constexpr int kHudH = 640;

inline bool hudGlContext() { return ensureGlContext(); }

struct HudScene {
  std::string dataDir = sourceDir();
  JsonDocument params{sourceDir() + "devdata/params.json"};
  ScreenSize screen;
  Camera camera{Camera::kPerspective};
  Camera camera2d{Camera::kOrtho2D};
  Light light;
  std::unique_ptr<EarthModel> earth;
  TextureCache textures;
  std::unique_ptr<FontCache> fonts;
  TaskList tasks;
  GameContext context;
  std::shared_ptr<const WidgetSet> widgets;

  HudScene() {
    camera.configure(json::at(params.root(), "camera"), static_cast<float>(kHudW) / kHudH);
    camera2d.halfWidth = static_cast<float>(screen.width);
    camera2d.halfHeight = static_cast<float>(screen.height);
    light = Light::fromParams(json::element(json::at(params.root(), "lights"), 0));
    earth = std::make_unique<EarthModel>(params.root(), dataDir, &camera);
    earth->light = &light;
    earth->setAppearance(6);
    fonts = std::make_unique<FontCache>(json::at(params.root(), "fonts"), dataDir);
    context.params = &params;
    context.tasks = &tasks;
    context.camera = &camera;
    context.camera2d = &camera2d;
    context.earth = earth.get();
    context.light = &light;
    context.dataDir = &dataDir;
    context.screen = &screen;
    context.textures = &textures;
    context.fonts = fonts.get();
    widgets = std::make_shared<WidgetSet>(json::at(json::at(params.root(), "game"), "widgets"),
                                          textures, dataDir, &screen.width);
  }

  // Clears to black and draws every task, as one frame of the game.
  void render() {
    glViewport(0, 0, kHudW, kHudH);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    tasks.draw();
    glFinish();
  }

  // Opens the 2D pass alone on a black screen (for drawing one display).
  void begin2D() {
    glViewport(0, 0, kHudW, kHudH);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Game2DSetup(camera2d).draw();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }

  // Runs one task by itself for seconds of 60 Hz frames.
  template <typename Task>
  static void Step(Task& task, float seconds) {
    for (float t = 0.0f; t < seconds - 1e-6f; t += 1.0f / 60.0f) task.update(1.0f / 60.0f);
  }

  void step(float seconds, float dt = 1.0f / 60.0f) {
    for (float t = 0.0f; t < seconds - 1e-6f; t += dt) tasks.update(dt);
  }
};

// The window's RGB pixels, top row first.
inline std::vector<unsigned char> readHud() {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(kHudW) * kHudH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kHudW, kHudH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::vector<unsigned char> flipped(rgb.size());
  const std::size_t row = static_cast<std::size_t>(kHudW) * 3;
  for (int y = 0; y < kHudH; ++y)
    std::copy_n(rgb.data() + (kHudH - 1 - y) * row, row, flipped.data() + y * row);
  return flipped;
}

// Pixel at 2D overlay point (x, y) (origin at the centre, y down) in a readHud() image.
inline std::array<int, 3> hudPixel(const std::vector<unsigned char>& rgb, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y + kHudH / 2) * kHudW + (x + kHudW / 2)) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

inline bool writeHudPng(const std::string& path, const std::vector<unsigned char>& rgb) {
  return writePng(path, rgb, kHudW, kHudH);
}

}  // namespace orb::test

#define ORB_REQUIRE_HUD_GL()                                          \
  do {                                                                \
    if (!::orb::test::hudGlContext()) GTEST_SKIP() << "no DISPLAY";   \
  } while (0)
