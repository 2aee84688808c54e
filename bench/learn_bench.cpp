// Frame cost of what the game draws to teach: a revealed outline (the asked
// place's, and the largest outline of all) at the normal view, and the
// close-up borders at full zoom over Europe. Each is measured inside a running
// normal-mode game, frame by frame interleaved with the same game without it,
// so both halves see the same machine. Prints one line per case:
//   learn <case> <cpu median with> <cpu median without> <ratio> <wall median with> <wall median without>
// Usage (under an X server): learn_bench [--frames N] [--shots DIR]
// With --shots, each case's frame with and without is written to DIR as PPM.
#include <GL/freeglut.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_game.h"
#include "data/Json.h"
#include "game/BorderLines.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "game/GlobeScale.h"
#include "game/GlowTexture.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"
#include "game/PlaceOutline.h"
#include "game/SceneFactory.h"
#include "game/SmallPlaceMarks.h"
#include "gfx/GlCapabilities.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace {

constexpr int kWidth = 960, kHeight = 640;
constexpr float kStep = 1.0f / 60.0f;

using bench::cpuMs;
using bench::wallMs;
double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

// Draws the task it holds only while switched on, so one game can be timed
// with and without it in alternate frames.
class Switched : public orb::TaskProc {
 public:
  explicit Switched(std::shared_ptr<orb::TaskProc> inner) : inner_(std::move(inner)) {}
  void update(float dt) override { inner_->update(dt); }
  void draw() override {
    if (on) inner_->draw();
  }
  void message(int) override {}
  bool on = false;

 private:
  std::shared_ptr<orb::TaskProc> inner_;
};

orb::Quat facing(float lonDeg, float latDeg) {
  return orb::quatFromAngles(latDeg * orb::kDegToRad, (90.0f + lonDeg) * orb::kDegToRad);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 300;
  std::string shots;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--shots") == 0) shots = std::string(argv[i + 1]) + "/";
  }
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_STENCIL);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("learn_bench");
  glViewport(0, 0, kWidth, kHeight);
  orb::GlCapabilities::get().detect();

  bench::StartAGame scenes;
  bench::BenchGame harness(kWidth, kHeight, "/tmp/globaro_learn_bench/", scenes);
  const std::string& root = harness.root;
  orb::GameProc& game = *harness.game;
  orb::GameContext& ctx = game.context();
  // A long clock and long questions, no taps: the game's own overlays stay
  // idle, and only the switched copies below differ between the halves.
  picojson::value& round = orb::json::member(ctx.params->root(), "game");
  orb::json::member(round, "time") = picojson::value(picojson::array(3, picojson::value(999.0)));
  orb::json::member(round, "ans_time") = picojson::value(picojson::array(1, picojson::value(999.0)));
  picojson::value& learn = orb::json::member(ctx.params->root(), "learn");
  const picojson::value bordersParams = orb::json::at(learn, "borders");
  orb::json::member(orb::json::member(learn, "borders"), "dist") = picojson::value(0.0);  // the game's own: never
  for (int i = 0; i < 60 * 20 && ctx.askedInGame == 0; ++i) {  // the intro, up to the first question
    game.update(kStep);
    game.draw();
    glutSwapBuffers();
  }

  orb::json::member(learn, "borders") = bordersParams;
  game.tasks().broadcast(orb::kMsgControlOff);  // the camera stays where each case puts it
  auto outline = std::make_shared<orb::PlaceOutline>(&ctx);
  auto borders = std::make_shared<orb::BorderLines>(&ctx);
  auto outlineSwitch = std::make_shared<Switched>(outline);
  auto bordersSwitch = std::make_shared<Switched>(borders);
  ctx.tasks->add(orb::kLayerOverlay3D, outlineSwitch);
  ctx.tasks->add(orb::kLayerOverlay3D, bordersSwitch);

  const orb::PlaceDatabase places(ctx.places->root(), root);
  auto measure = [&](const char* name, Switched& sw, float distance, orb::Quat view) {
    std::vector<double> cpuOn, cpuOff, wallOn, wallOff;
    for (int f = 0; f < 2 * frames; ++f) {
      sw.on = f % 2 == 0;
      ctx.camera->distance = distance;
      ctx.camera->orientation = view;
      const double w0 = wallMs(), c0 = cpuMs();
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      game.update(kStep);
      game.draw();
      glFinish();
      glutSwapBuffers();
      (sw.on ? cpuOn : cpuOff).push_back(cpuMs() - c0);
      (sw.on ? wallOn : wallOff).push_back(wallMs() - w0);
    }
    sw.on = false;
    if (!shots.empty()) {
      for (bool on : {true, false}) {
        sw.on = on;
        glClear(GL_COLOR_BUFFER_BIT);
        game.draw();
        glFinish();
        std::vector<unsigned char> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        std::string file = shots + name + (on ? " with" : " without") + ".ppm";
        std::replace(file.begin() + static_cast<std::ptrdiff_t>(shots.size()), file.end(), ' ', '_');
        if (FILE* out = std::fopen(file.c_str(), "wb")) {
          std::fprintf(out, "P6 %d %d 255\n", kWidth, kHeight);
          for (int y = kHeight - 1; y >= 0; --y) std::fwrite(&rgb[static_cast<std::size_t>(y) * kWidth * 3], 1, kWidth * 3, out);
          std::fclose(out);
        }
      }
      sw.on = false;
    }
    std::printf("learn %-28s %7.2f %7.2f %6.3f %7.2f %7.2f\n", name, median(cpuOn), median(cpuOff),
                median(cpuOn) / median(cpuOff), median(wallOn), median(wallOff));
  };

  std::printf("# case                         cpu-with cpu-without ratio wall-with wall-without (ms, medians of %d)\n",
              frames);
  const float normal = orb::json::real(orb::json::at(ctx.params->root(), "camera"), "dist");
  const float nearest = orb::json::real(round, "near_z");
  // The asked place, seen where the time-out's camera move would leave it.
  orb::Place asked;
  (void)asked.load(places.outlinePath("c_ita"));
  outline->show(asked);
  measure("revealed outline (Italy)", *outlineSwitch, normal, facing(12.0f, 42.0f));
  orb::Place largest;
  (void)largest.load(places.outlinePath("c_can"));
  outline->show(largest);
  measure("revealed outline (Canada)", *outlineSwitch, normal, facing(-95.0f, 60.0f));
  {  // Where a large outline's time goes: each part alone, after a game frame.
    orb::SphereOutline parts;
    parts.build(largest, 0.005f);
    const double* m = ctx.earth->sphereModelView.data();
    auto timeIt = [&](const char* what, auto&& f) {
      glMatrixMode(GL_MODELVIEW);
      glPushMatrix();
      glLoadMatrixd(m);
      glFinish();
      const double c0 = cpuMs();
      for (int i = 0; i < 50; ++i) f();
      glFinish();
      glPopMatrix();
      std::printf("  Canada, %-26s %7.3f ms cpu each\n", what, (cpuMs() - c0) / 50);
    };
    ctx.camera->apply();
    const float tolerance = 1.5f / orb::GlobeScale::pixelsPerRadian(*ctx.camera, ctx.earth->radius, ctx.camera->distance);
    timeIt("prepare (CPU clipping)", [&] { parts.prepare(m, ctx.earth->radius, 1.002f, tolerance); });
    glEnable(GL_BLEND);
    glColor4f(1, 1, 1, 0.2f);
    timeIt("fill (stencil, two passes)", [&] { parts.drawFill(); });
    orb::GlowTexture glow;
    const float core[3] = {1.0f, 1.0f, 0.55f}, halo[3] = {1.0f, 0.78f, 0.25f};
    glow.set(core, halo, 2.0f, 6.0f, 0.35f);
    const float pixelSize = 2.0f * ctx.camera->halfHeight / ctx.camera->near / static_cast<float>(kHeight);
    timeIt("lay the glowing band", [&] { parts.layBand(glow.bandWidth() / 2.0f * pixelSize); });
    glEnable(GL_TEXTURE_1D);
    glow.bind();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    timeIt("glowing band", [&] { parts.drawBand(); });
    glDisable(GL_TEXTURE_1D);
    std::printf("  Canada: %zu strips, %zu line segments, %zu fill vertices\n", parts.strips().size(),
                parts.lineSegments(), parts.fillVertices());
  }
  outline->hide();
  // Read the borders first (a few files a frame), then time them.
  ctx.camera->distance = nearest;
  for (int i = 0; i < 600 && !borders->ready(); ++i) borders->update(kStep);
  measure("borders at full zoom (Europe)", *bordersSwitch, nearest, facing(8.0f, 48.0f));
  std::printf("  (borders alpha %.2f at camera distance %.0f, %zu segments drawn)\n", borders->alpha(),
              ctx.camera->distance, borders->lastSegments());
  const float fadeMiddle = (orb::json::real(bordersParams, "dist") + orb::json::real(bordersParams, "full_dist")) / 2;
  measure("borders half faded in", *bordersSwitch, fadeMiddle, facing(8.0f, 48.0f));
  std::printf("  (%zu segments drawn)\n", borders->lastSegments());
  std::printf("border data held: %zu KiB\n", orb::BorderLines::heldFloats() * 4 / 1024);

  // The tiny places' circles read each level's outlines the first time the
  // level comes (at a level-up, between two questions): the largest level.
  std::vector<std::string> level;
  for (int l = 0; l < 12; ++l) {
    std::mt19937 gen(1);
    std::vector<std::string> keys = places.questionList(l, 0, gen);
    if (keys.size() > level.size()) level = keys;
  }
  orb::SmallPlaceMarks marks(&ctx);
  const double t0 = wallMs();
  marks.setPlaces(level);
  const double first = wallMs() - t0;
  const double t1 = wallMs();
  marks.setPlaces(level);
  std::printf("small-place circles of a %zu-place level: first %.2f ms, again %.3f ms (%zu circles)\n",
              level.size(), first, wallMs() - t1, marks.marks().size());
  return 0;
}
