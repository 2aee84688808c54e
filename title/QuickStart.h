#pragma once
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Stands in for the title scene until it exists: starts a normal-mode game
// once the opening camera move has finished (message 49), or after a short
// pause when the globe is already in place (a game has just ended).
class QuickStart : public TaskProc {
 public:
  // waitForCamera: hold the game back until the opening camera move ends.
  QuickStart(GameContext* context, bool waitForCamera);

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

 private:
  GameContext* ctx_;
  bool cameraReady_;
  float pause_;  // seconds left before the game may start
};

}  // namespace orb
