// Frame cost of a running game (the globe and every HUD task of a normal-mode
// round), side by side in the same run with the reference drawing of the globe
// layers alone, and the frame times around the question changes of a
// 60-question run (loading the next outline must not show as a hitch).
// Run under an X server: build/bench/game_bench
// First: it asks GL for the buffer-object prototypes before anyone includes gl.h.
#include "globe_reference.h"

#include <GL/freeglut.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "bench_game.h"
#include "data/Json.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "game/SceneFactory.h"
#include "gfx/GlCapabilities.h"
#include "gfx/Mat4.h"
#include "globe/EarthModel.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"

namespace {

constexpr int kWidth = 960, kHeight = 640;
constexpr int kQuestions = 60;

constexpr float kStep = 1.0f / 60.0f;

using bench::cpuMs;
using bench::Samples;
using bench::wallMs;
double pct(const std::vector<double>& v, double p) { return bench::percentile(v, p); }

template <typename Draw>
void timeFrame(Samples& s, Draw draw) {
  const double w0 = wallMs(), c0 = cpuMs();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  draw();
  glFinish();
  glutSwapBuffers();
  s.wall.push_back(wallMs() - w0);
  s.cpu.push_back(cpuMs() - c0);
}


}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("game_bench");
  glViewport(0, 0, kWidth, kHeight);
  orb::GlCapabilities::get().detect();

  bench::StartAGame scenes;
  bench::BenchGame harness(kWidth, kHeight, "/tmp/globaro_game_bench/", scenes);
  const std::string& root = harness.root;
  orb::GameProc& game = *harness.game;
  orb::GameContext& ctx = game.context();
  // A long clock and a short pause between questions, so 60 questions pass quickly.
  picojson::value& round = orb::json::member(ctx.params->root(), "game");
  orb::json::member(round, "time") = picojson::value(picojson::array(3, picojson::value(999.0)));
  orb::json::member(round, "q_refresh_delay") = picojson::value(picojson::array(1, picojson::value(0.2)));

  // The reference: the same globe layers in straight-line GL.
  const auto setup = bench::ReferenceGlobe::Setup::of(*ctx.earth, *ctx.light, ctx.params->root(), root);
  bench::ReferenceGlobe reference(setup);

  Samples running, ref, changes, globeOnly;
  int asked = 0;
  bool changeFrame = false;
  orb::GameWorld globe(&ctx);  // the game's own globe pass, timed alone for comparison
  for (int frame = 0; ctx.askedInGame < kQuestions && frame < 60 * 600; ++frame) {
    Samples& into = (ctx.questionShown && changeFrame) ? changes : running;
    timeFrame(ctx.questionShown ? into : ref, [&] {
      game.update(kStep);
      game.draw();
    });
    if (!ctx.questionShown) ref.wall.pop_back(), ref.cpu.pop_back();  // intro frames are not measured
    changeFrame = false;
    if (ctx.askedInGame != asked) {  // a new question was loaded in this frame
      asked = ctx.askedInGame;
      changeFrame = true;
    }
    if (ctx.answerClock > 0 && !ctx.answerPoints.empty()) {  // answer it between frames, as a tap would
      ctx.touchPoint = ctx.answerPoints.front();
      ctx.tasks->broadcast(16);
    }
    if (ctx.questionShown && frame % 2 == 0) {  // interleave the reference under the same conditions
      orb::Camera& camera = *ctx.camera;
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      camera.apply();
      const orb::Mat4 rot = orb::Mat4::fromQuat(camera.orientation);
      timeFrame(ref, [&] { reference.draw(camera.distance, rot.data(), camera.inverseRotation.data(), 0.0f); });
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      timeFrame(globeOnly, [&] { globe.draw(); });
    }
  }
  if (argc > 1) {  // game_bench <prefix>: keep one frame of each for a look
    auto save = [&](const std::string& path) {
      std::vector<unsigned char> px(kWidth * kHeight * 3);
      glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, px.data());
      std::FILE* f = std::fopen(path.c_str(), "wb");
      std::fprintf(f, "P6 %d %d 255\n", kWidth, kHeight);
      for (int y = kHeight - 1; y >= 0; --y) std::fwrite(&px[static_cast<std::size_t>(y) * kWidth * 3], 1, kWidth * 3, f);
      std::fclose(f);
    };
    glClear(GL_COLOR_BUFFER_BIT);
    game.draw();
    save(std::string(argv[1]) + "-game.ppm");
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ctx.camera->apply();
    reference.draw(ctx.camera->distance, orb::Mat4::fromQuat(ctx.camera->orientation).data(),
                   ctx.camera->inverseRotation.data(), 0.0f);
    save(std::string(argv[1]) + "-reference.ppm");
  }
  std::printf("running game, %d questions asked (%d answered), %zu frames at %d x %d\n", ctx.askedInGame,
              ctx.correctCount,
              running.wall.size() + changes.wall.size(), kWidth, kHeight);
  std::printf("%-28s %12s %12s %12s %12s\n", "", "wall median", "wall p95", "cpu median", "cpu p95");
  auto row = [](const char* name, const Samples& s) {
    std::printf("%-28s %9.2f ms %9.2f ms %9.2f ms %9.2f ms\n", name, pct(s.wall, 0.5), pct(s.wall, 0.95),
                pct(s.cpu, 0.5), pct(s.cpu, 0.95));
  };
  Samples all = running;
  all.wall.insert(all.wall.end(), changes.wall.begin(), changes.wall.end());
  all.cpu.insert(all.cpu.end(), changes.cpu.begin(), changes.cpu.end());
  row("game (globe + HUD)", all);
  row("game's globe pass alone", globeOnly);
  row("reference (globe layers)", ref);
  std::printf("%-28s %12.3f %12.3f %12.3f %12.3f   (target <= 1.2)\n", "ratio game/reference",
              pct(all.wall, 0.5) / pct(ref.wall, 0.5), pct(all.wall, 0.95) / pct(ref.wall, 0.95),
              pct(all.cpu, 0.5) / pct(ref.cpu, 0.5), pct(all.cpu, 0.95) / pct(ref.cpu, 0.95));
  const double worstChange = *std::max_element(changes.wall.begin(), changes.wall.end());
  std::printf("question-change frames: %zu, worst %.2f ms = %.2f x the median frame (target < 2)\n",
              changes.wall.size(), worstChange, worstChange / pct(all.wall, 0.5));
  const double worstCpu = *std::max_element(changes.cpu.begin(), changes.cpu.end());
  std::printf("question-change frames, cpu: worst %.2f ms = %.2f x the median cpu\n", worstCpu,
              worstCpu / pct(all.cpu, 0.5));
  return 0;
}
