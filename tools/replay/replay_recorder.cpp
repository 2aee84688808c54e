// Records the demonstration replay (devdata/replay.dz) by letting a scripted
// player play the game's own demonstration game, and shows a recorded replay
// as the title shows it (with the label and the operation guide) as PNG frames.
//
//   replay_recorder record [seed]        writes devdata/replay.dz
//   replay_recorder shots DIR [t ...]    frames at demonstration times t (s)
//
// Run from the repository root under an X display (Xvfb works): the game draws
// with OpenGL even when nothing is looked at.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPlayer.h"
#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/DzFile.h"
#include "data/SettingsStore.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "gfx/GlCapabilities.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "records/DemoPlay.h"
#include "records/Replay.h"
#include "task/Messages.h"
#include "task/TaskList.h"
#include "title/GameScenes.h"
#include "title/Operate.h"

namespace orb {
namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kWidth = 960, kHeight = 640;
constexpr float kSettleTime = 6.0f;  // the opening camera move ends within this
constexpr float kLongest = 90.0f;    // a recording that has not ended by then failed

// The game's screens without the title: the tool starts the demonstration itself.
class NoTitleScenes : public GameScenes {
 public:
  void createTitle(GameContext&) override {}
};

class CodeTap : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  std::vector<int> codes;
};

struct Rig {
  std::string dataDir = "./", saveDir;
  SettingsStore settings;
  std::unique_ptr<SoundSystem> sound;
  std::unique_ptr<SoundScheduler> scheduler;
  TouchDispatcher touch;
  KeyInput keys;
  NoTitleScenes scenes;
  std::unique_ptr<GameProc> game;

  Rig() {
    char pattern[] = "/tmp/replay_recorder_XXXXXX";
    saveDir = std::string(mkdtemp(pattern)) + "/";
    settings.open(dataDir, saveDir);
    sound = std::make_unique<SoundSystem>(dataDir);
    scheduler = std::make_unique<SoundScheduler>(*sound);
    GameProc::Services services{&touch, &keys, scheduler.get(), &settings, &dataDir, &saveDir, &scenes};
    game = std::make_unique<GameProc>(kWidth, kHeight, 1.0f, false, services);
    game->update(kStep);
    for (float t = 0; t < kSettleTime; t += kStep) game->tasks().update(kStep);
  }
  GameContext& ctx() { return game->context(); }
  Replay& replay() { return *static_cast<Replay*>(ctx().replay); }
};

void initGl() {
  int argc = 1;
  char name[] = "replay_recorder";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("replay_recorder");
  glViewport(0, 0, kWidth, kHeight);
  GlCapabilities::get().detect();
}

int record(std::uint32_t seed) {
  Rig rig;
  GameContext& ctx = rig.ctx();
  Replay& replay = rig.replay();
  (void)replay.parse("");  // starts empty
  replay.setHeader(0.0f, seed);
  auto tap = ctx.tasks->create<CodeTap>(kLayerLogic);
  ctx.demonstration = true;
  auto game = ctx.tasks->create<GameMain>(kLayerLogic, &ctx, ctx.replay);
  float waited = 0;
  while (!replay.playing() && waited < kLongest) {
    ctx.tasks->update(kStep);
    waited += kStep;
  }
  if (!replay.playing()) {
    std::fprintf(stderr, "replay_recorder: the game never started its questions\n");
    return 1;
  }
  // The earth stands still during a game; playback puts it where it stood here.
  replay.setHeader(ctx.earth->spinAngle, seed);
  ScriptedPlayer player(ctx, *game, seed ^ 0x5eedu);
  tap->codes.clear();
  while (!player.finished() && replay.playing() && replay.clock() < kLongest) {
    replay.append(player.step(replay.clock() + kStep, kStep));
    ctx.tasks->update(kStep);
    for (int code : tap->codes) {
      if (std::getenv("REPLAY_TRACE") && code >= kMsgTapsOn && code <= kMsgTimeOut) {
        std::fprintf(stderr, "%6.2f code %d place %s\n", static_cast<double>(replay.clock()), code,
                     ctx.placeName.c_str());
      }
      player.heard(code);
    }
    tap->codes.clear();
  }
  const std::string text = replay.text();
  const bool written = dz::writeCompressedFile("devdata/replay.dz", dz::Bytes(text.begin(), text.end()));
  std::printf("seed %u: %zu records, %.1f s of play; asked %d, found %d (just %d), misses %d, "
              "time-outs %d; plan %s; %s\n",
              seed, replay.records().size(), replay.records().empty() ? 0.0 : replay.records().back().time,
              player.asked, ctx.correctCount, ctx.justCount, player.misses, player.timeOuts,
              player.planKept ? "kept" : "NOT kept", written ? "wrote devdata/replay.dz" : "write failed");
  return written && player.planKept && player.finished() ? 0 : 1;
}

void savePng(const std::string& path) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  const std::string ppm = path + ".ppm";
  if (FILE* f = std::fopen(ppm.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
    for (int y = kHeight - 1; y >= 0; --y) {
      std::fwrite(&pixels[static_cast<std::size_t>(y) * kWidth * 3], 1, kWidth * 3, f);
    }
    std::fclose(f);
    const std::string cmd = "convert " + ppm + " " + path + " && rm -f " + ppm;
    if (std::system(cmd.c_str()) != 0) {
      std::fprintf(stderr, "replay_recorder: convert failed for %s\n", path.c_str());
    }
  }
}

int shots(const std::string& dir, std::vector<float> times) {
  Rig rig;
  GameContext& ctx = rig.ctx();
  if (times.empty()) times = {2.0f, 9.0f, 14.5f, 22.0f, 31.0f, 38.0f};
  ctx.tasks->create<DemoPlay>(kLayerScreen, &ctx, ctx.replay);
  ctx.tasks->create<Operate>(kLayerScreen, &ctx);
  float t = 0;
  std::size_t next = 0;
  while (next < times.size()) {
    ctx.tasks->update(kStep);
    t += kStep;
    if (t >= times[next]) {
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      rig.game->draw();
      char name[64];
      std::snprintf(name, sizeof name, "/demo_%05.1f.png", static_cast<double>(times[next]));
      savePng(dir + name);
      std::printf("%s (correct %d, replay clock %.1f)\n", (dir + name).c_str(), ctx.correctCount,
                  static_cast<double>(rig.replay().clock()));
      ++next;
    }
  }
  return 0;
}

}  // namespace
}  // namespace orb

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "record" && mode != "shots") {
    std::fprintf(stderr, "usage: replay_recorder record [seed] | shots DIR [seconds ...]\n");
    return 2;
  }
  orb::initGl();
  if (mode == "record") {
    return orb::record(argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1984u);
  }
  std::vector<float> times;
  for (int i = 3; i < argc; ++i) times.push_back(std::strtof(argv[i], nullptr));
  return orb::shots(argc > 2 ? argv[2] : "/tmp", times);
}
