#pragma once
#include "game/SceneFactory.h"

namespace orb {

// The screens the game asks for: the title between games, the results, the
// ranking and the in-game menu.
class GameScenes : public SceneFactory {
 public:
  void createPermanentTasks(GameContext& context) override;
  void createTitle(GameContext& context) override;
  void createResults(GameContext& context) override;
  void createRanking(GameContext& context, int mode) override;
  void createGameMenu(GameContext& context) override;
};

}  // namespace orb
