#include "title/QuickStart.h"

#include "game/GameContext.h"
#include "game/GameMain.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kPauseBetweenGames = 1.0f;  // seconds of spinning globe before the next game

}  // namespace

QuickStart::QuickStart(GameContext* context, bool waitForCamera)
    : ctx_(context), cameraReady_(!waitForCamera), pause_(waitForCamera ? 0.0f : kPauseBetweenGames) {}

void QuickStart::update(float dt) {
  if (pause_ > 0) pause_ -= dt;
  if (!cameraReady_ || pause_ > 0) return;
  ctx_->mode = kModeNormal;
  ctx_->demonstration = false;
  ctx_->tasks->broadcast(44);
  ctx_->tasks->create<GameMain>(0, ctx_, nullptr);
  alive_ = false;
}

void QuickStart::message(int code) {
  if (code == 49) cameraReady_ = true;
  if (code == 12) alive_ = false;
}

}  // namespace orb
