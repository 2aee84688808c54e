// Cost of a typical 2D overlay frame: 30 widgets, about 200 characters of text
// and 20 HUD digits, plus a panel, a clock face and a dashed circle, at 960 x 640.
// Prints median and 95th-percentile wall and CPU time per frame (draw, finish,
// swap). With --png FILE it also writes the frame it drew, for looking at.
//
//   cmake --build build --target bench
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 build/bench/gfx_overlay_bench
#include <GL/freeglut.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Camera.h"
#include "gfx/Digits.h"
#include "gfx/Font.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GrpDashedCircle.h"
#include "gfx/GrpFan.h"
#include "gfx/GrpLine.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/MathConstants.h"
#include "gfx/TextureCache.h"
#include "gfx/Widget.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 640;
constexpr int kWarmup = 30;
constexpr int kDefaultFrames = 300;  // GFX_BENCH_FRAMES overrides (e.g. under callgrind)

double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

bool writePng(const std::string& path) {
  std::vector<unsigned char> pixels(kWidth * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = kHeight - 1; y >= 0; --y) png_write_row(png, pixels.data() + y * kWidth * 3);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

picojson::value widgetParams(float x, float y, float w, float h, float u, float v, int xl, int yl) {
  char text[256];
  std::snprintf(text, sizeof text,
                R"({"pos":[%g,%g],"size":[%g,%g],"uv":[%g,%g],"col":[1,1,1,0.9],"x_layout":%d,"y_layout":%d})",
                x, y, w, h, u, v, xl, yl);
  picojson::value p;
  picojson::parse(p, text);
  return p;
}

struct Overlay {
  orb::Camera camera{orb::Camera::kOrtho2D};
  orb::TextureCache textures;
  std::shared_ptr<orb::Texture> atlas;
  std::shared_ptr<orb::Texture> round;
  std::unique_ptr<orb::Font> text;
  std::unique_ptr<orb::Font> display;
  std::vector<orb::Widget> widgets;
  int screen[2] = {kWidth, kHeight};

  explicit Overlay(const std::string& dataDir) {
    camera.halfWidth = kWidth;
    camera.halfHeight = kHeight;
    atlas = textures.getTexture(dataDir + "devdata/game.png");
    round = textures.getTexture(dataDir + "devdata/round.png");
    text = std::make_unique<orb::Font>(dataDir + "devdata/fonts/Inter-SemiBold.otf", 22);
    display = std::make_unique<orb::Font>(dataDir + "devdata/fonts/Comfortaa-Bold.ttf", 34);
    // 30 widgets of typical button and icon sizes, anchored to all four edges.
    for (int i = 0; i < 30; ++i) {
      const int col = i % 10, row = i / 10;
      const bool ring = i % 3 == 0;
      const float u = ring ? 305.0f : (i % 3 == 1 ? 365.0f : 396.0f);
      const float v = ring ? 75.0f : 68.0f;
      const float w = ring ? 57.0f : (i % 3 == 1 ? 31.0f : 26.0f);
      const float h = ring ? 57.0f : 40.0f;
      widgets.emplace_back(widgetParams(40.0f + col * 88.0f, row == 2 ? -40.0f : 140.0f + row * 64.0f,
                                        w, h, u, v, -1, row == 2 ? 1 : -1),
                           atlas, screen);
    }
  }

  // Parts left out (for finding costs): any of "widgets", "text", "digits", "shapes".
  std::string skip;
  bool on(const char* part) const { return skip.find(part) == std::string::npos; }

  void draw(float t) {
    orb::Game2DSetup setup(camera);
    setup.draw();
    orb::GrpRoundBox panel;
    panel.texture = round;
    panel.x = -300;
    panel.y = 40;
    panel.width = 600;
    panel.height = 150;
    panel.a = 0.55f;
    panel.draw();

    if (on("widgets"))
      for (orb::Widget& w : widgets) w.draw();
    if (on("text")) drawText();
    if (on("digits")) drawDigits(t);
    if (on("shapes")) drawShapes();
  }

  void drawText() {

    display->x = -280;
    display->y = 90;
    display->r = 1.0f;
    display->g = 0.77f;
    display->b = 0.25f;
    display->drawText("Level up! Streak x5");  // 19
    text->x = -280;
    text->y = 125;
    text->drawText("São Tomé and Príncipe · Côte d'Ivoire · Curaçao");  // 46
    text->y = 155;
    text->drawText("Find the place on the globe and tap it before the clock runs out.");  // 65
    text->y = 180;
    text->drawText("Distance 1234 km, just 12, tap average 1.75, score 004560");  // 57
    text->x = -450;
    text->y = 300;
    text->drawText("GLOBARO 1.00");  // 12
  }

  void drawDigits(float t) {

    orb::drawLargeNumber(static_cast<int>(t * 10) % 10000, 4, {-440, -300}, 1, 1, 1, 1, atlas);
    orb::drawSmallNumber(1234, 4, {260, -300}, 1, 1, 1, 1, atlas);
    orb::drawSmallNumber(987654, 6, {260, -250}, 1, 0.77f, 0.25f, 1, atlas);
    orb::drawSmallNumber(42, 2, {260, -200}, 1, 1, 1, 1, atlas);
    orb::drawSmallNumber(7, 4, {360, -200}, 1, 1, 1, 1, atlas);  // 20 digits in all
  }

  void drawShapes() {

    orb::GrpFan clock;  // answer clock face
    clock.texture = atlas;
    clock.textured = true;
    clock.filled = true;
    clock.radiusX = clock.radiusY = 30;
    clock.srcX0 = 468;
    clock.srcY0 = 6;
    clock.srcX1 = 508;
    clock.srcY1 = 8;
    clock.sweep = orb::kTwoPi * 0.7f;
    clock.segments = std::max(2, static_cast<int>(clock.sweep * 32 / orb::kTwoPi));
    clock.x = 0;
    clock.y = -250;
    clock.r = clock.g = clock.b = clock.a = 1;
    clock.draw();

    orb::GrpDashedCircle circle;
    circle.radiusX = circle.radiusY = 120;
    circle.dashes = 24;
    circle.lineWidth = 2;
    circle.smooth = true;
    circle.r = 1;
    circle.g = 0.3f;
    circle.b = 0.3f;
    circle.a = 0.8f;
    circle.x = 300;
    circle.y = 0;
    circle.draw();

    orb::GrpLine line;
    line.x = -300;
    line.y = 200;
    line.endX = 600;
    line.lineWidth = 2;
    line.r = line.g = line.b = 1;
    line.a = 0.6f;
    line.draw();
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string png;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0) png = argv[i + 1];
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("gfx_overlay_bench");
  glutDisplayFunc([] {});  // frames are drawn by the loop below
  glutMainLoopEvent();
  glViewport(0, 0, kWidth, kHeight);

  Overlay overlay(GLOBARO_SOURCE_DIR);
  if (const char* skip = std::getenv("GFX_BENCH_SKIP")) overlay.skip = skip;
  const char* framesEnv = std::getenv("GFX_BENCH_FRAMES");
  const int kFrames = std::max(1, framesEnv ? std::atoi(framesEnv) : kDefaultFrames);
  std::vector<double> wall, cpu;
  for (int frame = 0; frame < kWarmup + kFrames; ++frame) {
    const auto w0 = std::chrono::steady_clock::now();
    const double c0 = cpuSeconds();
    glClearColor(0.08f, 0.14f, 0.28f, 1);  // a stand-in for the globe behind the overlay
    glClear(GL_COLOR_BUFFER_BIT);
    overlay.draw(static_cast<float>(frame) / 60.0f);
    if (!png.empty() && frame == kWarmup + kFrames - 1) {
      glFinish();
      if (!writePng(png)) std::fprintf(stderr, "gfx_overlay_bench: cannot write %s\n", png.c_str());
    }
    glutSwapBuffers();
    glFinish();
    const double c1 = cpuSeconds();
    const auto w1 = std::chrono::steady_clock::now();
    if (frame >= kWarmup) {
      wall.push_back(std::chrono::duration<double, std::milli>(w1 - w0).count());
      cpu.push_back((c1 - c0) * 1000.0);
    }
    glutMainLoopEvent();
  }
  const auto report = [](const char* what, std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    std::printf("%-5s median %.3f ms  p95 %.3f ms\n", what, v[v.size() / 2],
                v[v.size() * 95 / 100]);
  };
  std::printf("2D overlay frame, %d frames at %dx%d (30 widgets, 200 characters, 20 digits)\n",
              kFrames, kWidth, kHeight);
  report("wall", wall);
  report("cpu", cpu);
  return 0;
}
