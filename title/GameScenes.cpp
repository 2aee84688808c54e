#include "title/GameScenes.h"

#include "globe/GameContext.h"
#include "records/Ranking.h"
#include "records/Replay.h"
#include "records/Results.h"
#include "task/TaskList.h"
#include "title/GameMenu.h"
#include "title/Title.h"
#include "task/Messages.h"

namespace orb {

void GameScenes::createPermanentTasks(GameContext& context) {
  auto replay = context.tasks->create<Replay>(kLayerLogic, &context);
  replay->load(*context.dataDir);
  context.replay = replay.get();
}

void GameScenes::createTitle(GameContext& context) {
  context.tasks->create<Title>(kLayerScreen, &context, context.replay);
}

void GameScenes::createResults(GameContext& context) {
  context.tasks->create<Results>(kLayerScreen, &context);
}

void GameScenes::createRanking(GameContext& context, int mode) {
  context.tasks->create<Ranking>(kLayerScreen, &context, mode, true);
}

void GameScenes::createGameMenu(GameContext& context) {
  context.tasks->create<GameMenu>(kLayerScreen, &context);
}

}  // namespace orb
