#pragma once
#include "game/SceneFactory.h"

namespace orb {

// The screens the game asks for: the results, the ranking and the in-game
// menu. Until the title scene exists, the "title" starts the next game by
// itself.
class GameScenes : public SceneFactory {
 public:
  void createTitle(GameContext& context) override;
  void createResults(GameContext& context) override;
  void createRanking(GameContext& context, int mode) override;
  void createGameMenu(GameContext& context) override;

 private:
  bool firstTitle_ = true;
};

}  // namespace orb
