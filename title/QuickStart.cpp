#include "title/QuickStart.h"

#include "globe/GameContext.h"
#include "game/GameMain.h"
#include "task/TaskList.h"
#include "task/Messages.h"

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
  ctx_->tasks->broadcast(kMsgTitleOpening);
  ctx_->tasks->create<GameMain>(kLayerLogic, ctx_, nullptr);
  retire();
}

void QuickStart::message(int code) {
  if (code == kMsgCameraMoveDone) cameraReady_ = true;
  if (code == kMsgBackToTitle) retire();
}

}  // namespace orb
