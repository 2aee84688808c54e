#include "title/GameScenes.h"

#include "globe/GameContext.h"
#include "task/TaskList.h"
#include "title/GameMenu.h"
#include "title/QuickStart.h"
#include "task/Messages.h"

namespace orb {

void GameScenes::createTitle(GameContext& context) {
  context.tasks->create<QuickStart>(kLayerScreen, &context, firstTitle_);
  firstTitle_ = false;
}

void GameScenes::createResults(GameContext& context) { context.backToTitle = true; }

void GameScenes::createRanking(GameContext&, int) {}

void GameScenes::createGameMenu(GameContext& context) {
  context.tasks->create<GameMenu>(kLayerScreen, &context);
}

}  // namespace orb
