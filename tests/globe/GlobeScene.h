#pragma once
// A globe set up the way the game root sets it up (parameters from
// devdata/params.json, perspective camera, first light, earth model, task list,
// touch dispatcher, context), drawn into a 960 x 640 GLUT window under Xvfb.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/GlCapabilities.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"
#include "input/TouchDispatcher.h"
#include "gfx/GlContext.h"
#include "support/PngWriter.h"
#include "support/TestPaths.h"
#include "task/TaskList.h"

namespace orb::test {

constexpr int kWinW = 960;
constexpr int kWinH = 640;

// True when a context is current; false without an X display (tests skip).
inline bool globeGlContext() { return ensureGlContext(); }

// Records every broadcast code it receives.
class MessageProbe : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  bool alive() const override { return true; }
  int count(int code) const {
    int n = 0;
    for (int c : codes) n += c == code;
    return n;
  }
  std::vector<int> codes;
};

struct GlobeScene {
  std::string dataDir = sourceDir();
  JsonDocument params{sourceDir() + "devdata/params.json"};
  Camera camera{Camera::kPerspective};
  Camera camera2d{Camera::kOrtho2D};
  TextureCache textures;
  Light light;
  std::unique_ptr<EarthModel> earth;
  TaskList tasks;
  TouchDispatcher touch;
  GameContext context;
  std::shared_ptr<MessageProbe> probe = std::make_shared<MessageProbe>();

  // month: element of "earth_appearance" (-1: none loaded).
  explicit GlobeScene(int appearance = 0) {
    camera.configure(json::at(params.root(), "camera"), static_cast<float>(kWinW) / kWinH);
    light = Light::fromParams(json::element(json::at(params.root(), "lights"), 0));
    earth = std::make_unique<EarthModel>(params.root(), dataDir, &camera);
    earth->light = &light;
    if (appearance >= 0) earth->setAppearance(appearance);
    TouchDispatcher::Mapping m;
    m.logicalWidth = kWinW;
    m.logicalHeight = kWinH;
    m.windowWidth = kWinW;
    m.windowHeight = kWinH;
    touch.setMapping(m);
    context.touch = &touch;
    context.params = &params;
    context.tasks = &tasks;
    context.camera = &camera;
    camera2d.halfWidth = static_cast<float>(kWinW);
    camera2d.halfHeight = static_cast<float>(kWinH);
    context.camera2d = &camera2d;
    context.textures = &textures;
    context.earth = earth.get();
    context.light = &light;
    context.dataDir = &dataDir;
    tasks.add(0, probe);
    tasks.update(0.0f);  // the probe joins the active list
  }

  float param(const char* section, const char* key) const {
    return json::real(json::at(params.root(), section), key);
  }

  // Clears to black and draws one globe pass as the game's frame does; the
  // model-view starts from the identity the 2D pass leaves behind.
  void render(GameWorld& world) {
    glViewport(0, 0, kWinW, kWinH);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    world.draw();
    glFinish();
  }

  // Opens the frame's 2D pass after render(), as the game's layer 3 does.
  void begin2D() { Game2DSetup(camera2d).draw(); }
};

// The window's RGB pixels, top row first.
inline std::vector<unsigned char> readWindow() {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(kWinW) * kWinH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWinW, kWinH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::vector<unsigned char> flipped(rgb.size());
  const std::size_t row = static_cast<std::size_t>(kWinW) * 3;
  for (int y = 0; y < kWinH; ++y)
    std::copy_n(rgb.data() + (kWinH - 1 - y) * row, row, flipped.data() + y * row);
  return flipped;
}

// Colour at window pixel (x, y), y from the top.
inline std::array<int, 3> windowPixel(int x, int y) {
  unsigned char px[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, kWinH - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
  return {px[0], px[1], px[2]};
}


}  // namespace orb::test

#define ORB_REQUIRE_GLOBE_GL()                                            \
  do {                                                                    \
    if (!::orb::test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";     \
  } while (0)
