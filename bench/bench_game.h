#pragma once
// A game root over the shipped data with real services, for the benchmarks
// that drive it frame by frame. Needs a current GL context.
#include <memory>
#include <string>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/SettingsStore.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "game/SceneFactory.h"
#include "globe/GameContext.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "task/TaskList.h"

namespace bench {

// The "title" of these benchmarks starts a normal-mode game at once.
class StartAGame : public orb::SceneFactory {
 public:
  void createTitle(orb::GameContext& c) override { c.tasks->create<orb::GameMain>(0, &c, nullptr); }
  void createResults(orb::GameContext&) override {}
  void createRanking(orb::GameContext&, int) override {}
  void createGameMenu(orb::GameContext&) override {}
};

struct BenchGame {
  BenchGame(int width, int height, std::string saveDir, orb::SceneFactory& scenes)
      : save(std::move(saveDir)), sound(root), scheduler(sound) {
    settings.open(root, save);
    game = std::make_unique<orb::GameProc>(width, height, 1.0f, false,
                                           orb::GameProc::Services{&touch, &keys, &scheduler, &settings, &root,
                                                                   &save, &scenes});
    game->setAspect(width, height);
  }

  const std::string root = GLOBARO_SOURCE_DIR;
  const std::string save;
  orb::SettingsStore settings;
  orb::SoundSystem sound;
  orb::SoundScheduler scheduler;
  orb::TouchDispatcher touch;
  orb::KeyInput keys;
  std::unique_ptr<orb::GameProc> game;
};

}  // namespace bench
