// Frame cost of the three screens a player spends time on (the title, a running
// game and the results), each side by side with the reference drawing of the
// bare globe measured in the same run, interleaved frame by frame so both see
// the same machine. One run walks title -> game -> results as a player would,
// with the real screens; taps are answered between frames as a tap would.
// Prints one machine-readable line per screen, which bench/run puts in its table:
//   scene <name> <w>x<h> <wall median> <wall p95> <cpu median> <cpu p95>
//         <ref wall median> <ref wall p95> <ref cpu median> <ref cpu p95>
// and, with --memory (no reference, no timing), the peak resident memory of
// the whole walk:
//   memory <w>x<h> <peak kB>
// Usage (under an X server): scene_bench <width> <height> [--memory] [--frames N]
// First: it asks GL for the buffer-object prototypes before anyone includes gl.h.
#include "globe_reference.h"

#include <GL/freeglut.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#if __has_include("app/HeapPolicy.h")  // bench/against builds this file in older trees too
#include "app/HeapPolicy.h"
#define GLOBARO_HEAP_POLICY 1
#endif
#include "bench_clock.h"
#include "bench_game.h"
#include "data/Json.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "gfx/GlCapabilities.h"
#include "gfx/Mat4.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "globe/Light.h"
#include "task/Messages.h"
#include "task/TaskList.h"
#include "title/GameScenes.h"

namespace {

using bench::cpuMs;
using bench::Samples;
using bench::wallMs;
double pct(const std::vector<double>& v, double p) { return bench::percentile(v, p); }

template <typename Draw>
void timeFrame(Samples* s, Draw draw) {
  const double w0 = wallMs(), c0 = cpuMs();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  draw();
  glFinish();
  glutSwapBuffers();
  if (!s) return;
  s->wall.push_back(wallMs() - w0);
  s->cpu.push_back(cpuMs() - c0);
}

long peakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// The real screens, noting when the results appear.
class WatchedScenes : public orb::GameScenes {
 public:
  void createResults(orb::GameContext& c) override {
    resultsShown = true;
    GameScenes::createResults(c);
  }
  bool resultsShown = false;
};

constexpr float kStep = 1.0f / 60.0f;  // the nominal step; the game root clamps the measured one

enum class Phase { Title, Game, Ending, Results, Done };

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <width> <height> [--memory] [--frames N]\n", argv[0]);
    return 2;
  }
#ifdef GLOBARO_HEAP_POLICY
  orb::HeapPolicy::apply();  // as the game does first thing
#endif
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  bool memoryOnly = false;
  int frames = 600;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--memory") == 0) memoryOnly = true;
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::atoi(argv[++i]);
  }
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(width, height);
  glutCreateWindow("scene_bench");
  glViewport(0, 0, width, height);
  orb::GlCapabilities::get().detect();

  char saveTemplate[] = "/tmp/globaro_scene_bench_XXXXXX";
  WatchedScenes scenes;
  bench::BenchGame harness(width, height, std::string(mkdtemp(saveTemplate)) + "/", scenes);
  const std::string& root = harness.root;
  orb::GameProc& game = *harness.game;
  orb::GameContext& ctx = game.context();

  std::unique_ptr<bench::ReferenceGlobe> reference;
  if (!memoryOnly) {
    reference = std::make_unique<bench::ReferenceGlobe>(
        bench::ReferenceGlobe::Setup::of(*ctx.earth, *ctx.light, ctx.params->root(), root));
  }
  // The title's opening (the light fading in) is skipped, as is the first
  // second of the results' count-up.
  constexpr int kTitleSettle = 180, kResultsSettle = 60, kGiveUp = 60 * 300;
  Samples title, running, results, refTitle, refGame, refResults;
  Phase phase = Phase::Title;
  int inPhase = 0, questionFrames = 0;
  for (int frame = 0; phase != Phase::Done && frame < kGiveUp; ++frame, ++inPhase) {
    Samples* into = nullptr;
    Samples* ref = nullptr;
    switch (phase) {
      case Phase::Title:
        if (inPhase >= kTitleSettle) into = &title, ref = &refTitle;
        if (inPhase == kTitleSettle + frames) {
          ctx.mode = orb::kModeNormal;
          ctx.tasks->broadcast(orb::kMsgModeChosen);
          phase = Phase::Game;
          inPhase = 0;
        }
        break;
      case Phase::Game:
        if (ctx.questionShown) into = &running, ref = &refGame, ++questionFrames;
        if (questionFrames >= frames) {
          ctx.tasks->broadcast(orb::kMsgGameEnding);
          phase = Phase::Ending;
        }
        break;
      case Phase::Ending:
        if (scenes.resultsShown) phase = Phase::Results, inPhase = 0;
        break;
      case Phase::Results:
        if (inPhase >= kResultsSettle) into = &results, ref = &refResults;
        if (inPhase == kResultsSettle + frames) phase = Phase::Done;
        break;
      case Phase::Done:
        break;
    }
    if (memoryOnly) into = ref = nullptr;
    timeFrame(into, [&] {
      game.update(kStep);
      game.draw();
    });
    if (phase == Phase::Game && ctx.answerClock > 0 && !ctx.answerPoints.empty()) {
      ctx.touchPoint = ctx.answerPoints.front();  // answered between frames, as a tap would
      ctx.tasks->broadcast(orb::kMsgGlobeTapped);
    }
    if (ref && reference) {
      orb::Camera& camera = *ctx.camera;
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      camera.apply();
      const orb::Mat4 rot = orb::Mat4::fromQuat(camera.orientation);
      timeFrame(ref, [&] { reference->draw(camera.distance, rot.data(), camera.inverseRotation.data(), 0.0f); });
    }
  }
  if (phase != Phase::Done) {
    std::fprintf(stderr, "scene_bench: the walk stopped short of the results (phase %d)\n", static_cast<int>(phase));
    return 1;
  }
  if (memoryOnly) {
    std::printf("memory %dx%d %ld\n", width, height, peakResidentKb());
    return 0;
  }
  auto row = [&](const char* name, const Samples& s, const Samples& r) {
    std::printf("scene %s %dx%d %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", name, width, height, pct(s.wall, 0.5),
                pct(s.wall, 0.95), pct(s.cpu, 0.5), pct(s.cpu, 0.95), pct(r.wall, 0.5), pct(r.wall, 0.95),
                pct(r.cpu, 0.5), pct(r.cpu, 0.95));
  };
  row("title", title, refTitle);
  row("game", running, refGame);
  row("results", results, refResults);
  return 0;
}
