#pragma once

namespace orb {

struct GameContext;

// Builds the screens that sit above the game layer (title, results, ranking,
// in-game menu). The game asks for them through this seam, so the game code
// never depends on the screens that are built on top of it.
class SceneFactory {
 public:
  virtual ~SceneFactory() = default;
  // Tasks of the screens above the game that live as long as the game root;
  // called before the game root makes its own permanent tasks.
  virtual void createPermanentTasks(GameContext&) {}
  // The title scene, built when the game root needs it (at start and after a game).
  virtual void createTitle(GameContext& context) = 0;
  // The results screen of the finished game.
  virtual void createResults(GameContext& context) = 0;
  // The ranking of mode, with the finished game as a new entry.
  virtual void createRanking(GameContext& context, int mode) = 0;
  // The in-game menu (pause, abort), created when the questions start.
  virtual void createGameMenu(GameContext& context) = 0;
};

}  // namespace orb
