#include "title/Title.h"

#include <algorithm>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/Achievement.h"
#include "game/CorrectRate.h"
#include "game/DrillMain.h"
#include "game/ExploreMain.h"
#include "game/GameMain.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GlobeMath.h"
#include "globe/EarthModel.h"
#include "globe/EarthTexture.h"
#include "globe/FadeLight.h"
#include "globe/GameContext.h"
#include "globe/ResetCamera.h"
#include "records/DemoPlay.h"
#include "records/Ranking.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"
#include "title/Operate.h"
#include "title/SoundVol.h"
#include "title/Staff.h"
#include "title/TitleCopy.h"
#include "title/TitleCredits.h"
#include "title/TitleIntro.h"
#include "title/TitleLearn.h"
#include "title/TitleLogo.h"
#include "title/TitleStart.h"

namespace orb {
namespace {

constexpr float kOpeningJingleDelay = 0.5f;  // seconds after the achievement display
constexpr float kShowcaseLight = 0.5f;       // the globe dims under the showcase ranking
constexpr float kShowcaseLightTime = 2.0f;   // seconds
constexpr float kSpinBackTime = 1.0f;        // seconds for the globe to resume its spin
constexpr float kCameraShare = 0.8f;         // of the game-start delay, for the camera move

}  // namespace

Title::Title(GameContext* context, ReplayControl* replay)
    : ctx_(context), replay_(replay), params_(json::at(context->params->root(), "title")) {
  modes_.push_back(kModeNormal);
  if (ctx_->settings && ctx_->settings->getFlag("advanced")) modes_.push_back(kModeAdvanced);
  if (ctx_->settings && ctx_->settings->getFlag("survival")) modes_.push_back(kModeSurvival);
  idle_ = json::real(params_, "disp_time");
  ctx_->learnMode = kLearnNone;
  ctx_->tasks->broadcast(kMsgControlOff);
  ctx_->tasks->create<Achievement>(kLayerScreen, ctx_);
  SceneTrace::enter("title");
}

void Title::openMenu() {
  auto& tasks = *ctx_->tasks;
  tasks.create<TitleLogo>(kLayerScreen, ctx_);
  tasks.create<TitleCopy>(kLayerScreen, ctx_);
  tasks.create<TitleStart>(kLayerScreen, ctx_);
  tasks.create<TitleLearn>(kLayerScreen, ctx_);
  tasks.create<TitleCredits>(kLayerScreen, ctx_);
  tasks.create<SoundVol>(kLayerScreen, ctx_);
  if (ctx_->settings && ctx_->settings->getFlag("played")) tasks.create<CorrectRate>(kLayerScreen, ctx_);
  if (ctx_->settings && ctx_->settings->getFlag("earth_texture")) tasks.create<EarthTexture>(kLayerScreen, ctx_);
  tasks.broadcast(kMsgControlOn);
}

void Title::startGame() {
  gameStart_ = json::real(params_, "game_start_delay");
  idle_ = 0.0f;
  if (ctx_->mode != kModeNormal || ctx_->learnMode != kLearnNone) return;
  // Normal mode turns the globe about its axis only: level the camera's tilt
  // into the allowed range before the game takes over.
  ctx_->tasks->broadcast(kMsgControlOff);
  auto move = ctx_->tasks->create<ResetCamera>(kLayerOverlay3D, ctx_);
  move->easing = kEaseQuadInOut;
  move->duration = kCameraShare * gameStart_;
  move->targetDist = ctx_->camera->distance;
  const Vec2<float> angles = anglesFromQuat(ctx_->camera->orientation);
  const float limit = ctx_->camera->pitchMax;
  move->setTarget(std::clamp(angles.x, -limit, limit), angles.y, false);
}

void Title::update(float dt) {
  switch (state_) {
    case kMenu:
      if (idle_ > 0.0f) {
        idle_ -= dt;
        if (idle_ <= 0.0f) {
          idle_ = 0.0f;
          ctx_->tasks->broadcast(kMsgTitleOpening);
          ctx_->tasks->broadcast(kMsgControlBlock);
          state_ = kWaitDemo;
          step_ = json::real(params_, "delay_exec");
          return;
        }
      }
      if (gameStart_ > 0.0f) {
        gameStart_ -= dt;
        if (gameStart_ <= 0.0f) {
          ctx_->tasks->broadcast(kMsgTitleOpening);
          ctx_->demonstration = false;
          if (ctx_->learnMode == kLearnDrill) {
            ctx_->tasks->create<DrillMain>(kLayerLogic, ctx_);
          } else if (ctx_->learnMode == kLearnExplore) {
            ctx_->tasks->create<ExploreMain>(kLayerLogic, ctx_);
          } else {
            ctx_->tasks->create<GameMain>(kLayerLogic, ctx_, replay_);
          }
          retire();
        }
      }
      break;
    case kWaitDemo:
      step_ -= dt;
      if (step_ <= 0.0f && step_ + dt > 0.0f) {
        ctx_->tasks->create<DemoPlay>(kLayerScreen, ctx_, replay_);
        ctx_->tasks->create<Operate>(kLayerScreen, ctx_);
      }
      break;
    case kWaitShowcase:
      step_ -= dt;
      if (step_ <= 0.0f && step_ + dt > 0.0f) {
        showcaseRanking_ = ctx_->tasks->create<Ranking>(kLayerScreen, ctx_, modes_[showcase_], false);
        showcase_ = (showcase_ + 1) % modes_.size();
        auto fade = ctx_->tasks->create<FadeLight>(kLayerOverlay3D, ctx_);
        fade->end = kShowcaseLight;
        fade->duration = kShowcaseLightTime;
        fade->easing = kEaseQuadOut;
      }
      break;
    default:
      break;
  }
}

void Title::message(int code) {
  switch (code) {
    case kMsgTitleIntroDone:
      openMenu();
      break;
    case kMsgCreditsTapped:
      state_ = kSubScreen;
      break;
    case kMsgCreditsShown:
      ctx_->tasks->broadcast(kMsgTitleOpening);
      ctx_->tasks->create<Staff>(kLayerScreen, ctx_);
      break;
    case kMsgStaffDone:
    case kMsgRankingClosed:
      ctx_->tasks->broadcast(kMsgTitleIntroDone);
      state_ = kMenu;
      idle_ = json::real(params_, "disp_time");
      break;
    case kMsgSoundMenuOpened:
    case kMsgEarthMenuOpened:
      idle_ = 0.0f;
      break;
    case kMsgSoundMenuClosed:
    case kMsgEarthMenuClosed:
      idle_ = json::real(params_, "disp_time");
      break;
    case kMsgEarthMenuTimeout:  // the earth-image panel chose an image
      if (ctx_->earth) ctx_->earth->setAppearance(ctx_->earthTexture);
      if (ctx_->settings) ctx_->settings->setNumber("texture", ctx_->earthTexture);
      break;
    case kMsgModeChosen:
      startGame();
      break;
    case kMsgTitleOpening:
      if (ctx_->settings) ctx_->settings->setFlag("firstexec", false);
      break;
    case kMsgDemoEnded:
      ctx_->tasks->broadcast(kMsgControlUnblock);
      state_ = kWaitShowcase;
      step_ = json::real(params_, "delay_exec");
      if (ctx_->earth) ctx_->earth->startSpinTween(ctx_->earth->defaultSpinSpeed(), kSpinBackTime, kEaseCircIn);
      break;
    case kMsgAchievementDone:
      if (ctx_->sound) ctx_->sound->play("opening", 1.0f, kOpeningJingleDelay);
      ctx_->tasks->create<TitleIntro>(kLayerScreen, ctx_);
      state_ = kMenu;
      break;
    default:
      break;
  }
}

}  // namespace orb
