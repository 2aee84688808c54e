#include "title/GameScenes.h"

#include "game/GameContext.h"
#include "task/TaskList.h"
#include "title/QuickStart.h"

namespace orb {

void GameScenes::createTitle(GameContext& context) {
  context.tasks->create<QuickStart>(4, &context, firstTitle_);
  firstTitle_ = false;
}

void GameScenes::createResults(GameContext& context) { context.backToTitle = true; }

void GameScenes::createRanking(GameContext&, int) {}

void GameScenes::createGameMenu(GameContext&) {}

}  // namespace orb
