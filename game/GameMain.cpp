#include "game/GameMain.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/AnsTime.h"
#include "game/Distance.h"
#include "game/GameInfo.h"
#include "game/GameIntro.h"
#include "game/GameOver.h"
#include "game/GameStart.h"
#include "game/Konahen.h"
#include "game/MapCoords.h"
#include "game/MasteryRecord.h"
#include "game/BorderLines.h"
#include "game/PlaceDisp.h"
#include "game/PlaceOutline.h"
#include "game/PlayKonahen.h"
#include "game/PlayLevel.h"
#include "game/PlayTime.h"
#include "game/SmallPlaceMarks.h"
#include "game/TouchJust.h"
#include "gfx/TextureCache.h"
#include "gfx/WidgetSet.h"
#include "globe/Equator.h"
#include "globe/NsDisp.h"
#include "game/PlaceDatabase.h"
#include "game/ReplayControl.h"
#include "game/SceneFactory.h"
#include "gfx/Camera.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "globe/EarthModel.h"
#include "globe/ResetCamera.h"
#include "task/TaskList.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"

namespace orb {
namespace {

// Fixed by the game's design rather than tuned per level.
constexpr float kTimeOutPause = 1.5f;        // seconds before the next question after a time-out
constexpr float kClockCap = 99.9f;           // the clock display has two whole-second digits
constexpr float kHurryFraction = 0.25f;      // answer time left that may trigger "hurry up"
constexpr int kBannerChance = 40;            // percent
constexpr float kDoBestClock = 5.0f;         // "do your best" only with more game time than this
constexpr float kMinimumAnswerViewDistance = 1950.0f;
constexpr int kCountDownFrom = 9;

const picojson::value& gameParams(const GameContext& ctx) { return json::at(ctx.params->root(), "game"); }

}  // namespace

GameMain::GameMain(GameContext* context, ReplayControl* replay)
    : ctx_(context),
      replay_(replay),
      places_(context->places->root(), *context->dataDir),
      tables_(gameParams(*context), context->mode) {
  GameContext& ctx = *ctx_;
  levelOffset_ = tables_.levelOffset();
  touchRadius_ = tables_.touchRadius();
  bonusRate_ = tables_.extendRate();

  std::uint32_t seed = 0;
  if (ctx.demonstration && replay_) {
    seed = replay_->seed();
  } else {
    seed = static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)) & 0xffffffffu);
  }
  seed &= 0x7fffffffu;
  ctx.seed = static_cast<int>(seed);
  generator_.seed(seed);

  ctx.gameClock = tables_.initialTime();
  clockAtLevelStart_ = initialClock_ = ctx.gameClock;
  lastWholeSecond_ = static_cast<int>(ctx.gameClock);
  timeShortSent_ = ctx.mode == kModeSurvival;
  ctx.level = ctx.correctCount = ctx.streak = ctx.justCount = ctx.bestStreak = 0;
  ctx.score = ctx.totalTaps = ctx.askedInGame = 0;
  ctx.questionShown = false;
  ctx.answerClock = ctx.answerTime = 0;
  ctx.hasAnswer = false;

  setLevel(0);
  createDisplayTasks();
  if (ctx.earth) ctx.earth->startSpinTween(0.0f, 2.0f, kEaseCircIn);
  broadcast(kMsgControlOn);
  broadcast(ctx.mode == kModeNormal ? kMsgLatitudeLocked : kMsgFreeTurning);
  broadcast(kMsgGameCreated);
  if (!ctx.demonstration) SceneTrace::enter("game");
}

GameMain::~GameMain() = default;

void GameMain::createDisplayTasks() {
  GameContext& ctx = *ctx_;
  TaskList& tasks = *ctx.tasks;
  widgets_ = std::make_shared<const WidgetSet>(json::at(gameParams(ctx), "widgets"), *ctx.textures,
                                               *ctx.dataDir, ctx.screen->pair);
  if (ctx.mode == kModeNormal) {
    tasks.create<Equator>(kLayerOverlay3D, ctx_);
    tasks.create<NsDisp>(kLayerScreen, ctx_);
  }
  tasks.create<Konahen>(kLayerOverlay3D, ctx_);
  borders_ = tasks.create<BorderLines>(kLayerOverlay3D, ctx_);
  marks_ = tasks.create<SmallPlaceMarks>(kLayerOverlay3D, ctx_);
  outline_ = tasks.create<PlaceOutline>(kLayerOverlay3D, ctx_);
  borders_->setPlaces(questions_);
  marks_->setPlaces(questions_);
  revealTime_ = json::real(json::at(ctx.params->root(), "placedisp"), "miss_disp");
  if (!ctx.demonstration) tasks.create<MasteryRecord>(kLayerLogic, ctx_);
  tasks.create<GameIntro>(kLayerScreen, ctx_, widgets_);
  tasks.create<GameInfo>(kLayerScreen, ctx_, widgets_);
  tasks.create<Distance>(kLayerScreen, ctx_, widgets_);
  tasks.create<PlaceDisp>(kLayerScreen, ctx_);
  tasks.create<PlayLevel>(kLayerScreen, ctx_, widgets_);
  tasks.create<PlayKonahen>(kLayerScreen, ctx_, widgets_);
  tasks.create<AnsTime>(kLayerScreen, ctx_, widgets_);
  if (ctx.gameClock > 0) tasks.create<PlayTime>(kLayerScreen, ctx_, widgets_);
}

void GameMain::setLevel(int level) {
  GameContext& ctx = *ctx_;
  ctx.level = level;
  questions_ = places_.questionList(level, levelOffset_, generator_);
  ctx.questionsNeeded = tables_.questionsNeeded(level + levelOffset_);
  ctx.askedInLevel = 0;
  ctx.answerTime = tables_.answerTime(level);
  refreshDelay_ = tables_.refreshDelay(level);
  ctx.correctInLevel = 0;
  if (marks_) marks_->setPlaces(questions_);
  if (borders_) borders_->setPlaces(questions_);
}

void GameMain::update(float dt) {
  if (!started_ || !running_ || paused_) return;
  GameContext& ctx = *ctx_;

  if (ctx.gameClock > 0) ctx.gameClock = std::max(0.0f, ctx.gameClock - dt);

  bool timedOut = false;
  if (ctx.answerClock > 0) {
    ctx.answerClock -= dt;
    timedOut = ctx.answerClock <= 0;
    const float fraction = ctx.answerTime > 0 ? ctx.answerClock / ctx.answerTime : 1.0f;
    if (previousFraction_ > kHurryFraction && fraction <= kHurryFraction && chance(kBannerChance)) {
      broadcast(kMsgAnswerTimeShort);
    }
    previousFraction_ = fraction;
    if (timedOut) timeOut();
  }

  if (nextDelay_ > 0) {
    nextDelay_ -= dt;
    nextDue_ = nextDelay_ <= 0;
  }

  const bool clockOut = ctx.mode == kModeSurvival ? timedOut : ctx.gameClock == 0;
  const bool listDone = nextDue_ && askedThisLevel_ == static_cast<int>(questions_.size());
  if (clockOut || listDone) {
    broadcast(kMsgGameEnding);
  } else if (nextDue_) {
    askNextQuestion();
  }

  const int whole = static_cast<int>(ctx.gameClock);
  if (whole <= kCountDownFrom) {
    if (whole != lastWholeSecond_) {
      lastWholeSecond_ = whole;
      play("count_down");
    }
    if (!timeShortSent_) {
      broadcast(kMsgGameClockShort);
      timeShortSent_ = true;
    }
  }
}

void GameMain::timeOut() {
  GameContext& ctx = *ctx_;
  broadcast(kMsgControlOff);
  auto move = ctx.tasks->create<ResetCamera>(kLayerOverlay3D, ctx_);
  move->easing = kEaseQuadInOut;
  move->duration = 1.0f;
  play("miss");
  if (!ctx.answerPoints.empty()) ctx.touchPoint = ctx.answerPoints.front();
  broadcast(kMsgTimeOut);
  if (place_) outline_->reveal(*place_, revealTime_);

  const Vec2<float> lonLat = lonLatFromDirection(ctx.touchPoint);
  const float pitch = std::clamp(lonLat.y, -ctx.camera->pitchMax, ctx.camera->pitchMax);
  const float spin = ctx.earth ? ctx.earth->spinAngle : 0.0f;
  const float yaw = kPi / 2 - lonLat.x - spin * kPi / 180.0f;
  move->setTarget(pitch, yaw, false);
  move->targetDist = std::max(ctx.camera->distance, kMinimumAnswerViewDistance);

  missedSinceCorrect_ = true;
  ctx.streak = 0;
  nextDelay_ = kTimeOutPause;
  if (ctx.gameClock > kDoBestClock && chance(kBannerChance)) broadcast(kMsgDoYourBest);
}

void GameMain::askNextQuestion() {
  GameContext& ctx = *ctx_;
  currentKey_ = questions_[static_cast<std::size_t>(askedThisLevel_)];
  place_ = places_.loadPlace(currentKey_, touchRadius_, ctx);
  outline_->fadeOut();  // the last answer gives way to the new question
  ++ctx.askedInLevel;
  play("question", 1.0f, 0.05f);
  broadcast(kMsgNewQuestion);
  broadcast(kMsgControlOn);
  broadcast(kMsgTapsOn);
  ctx.answerClock = ctx.answerTime;
  previousFraction_ = 1.0f;
  ctx.questionShown = true;
  ++askedThisLevel_;
  ++ctx.askedInGame;
  nextDue_ = false;
}

void GameMain::judgeTap() {
  if (!place_) return;
  GameContext& ctx = *ctx_;
  // A tap in a tiny place's mark finds it; the recorded demonstration keeps
  // the judgements it was recorded with.
  const bool hit = place_->hitTest(mapFromGlobe(ctx.touchPoint)) ||
                   (!ctx.demonstration && marks_->hits(currentKey_, ctx.touchPoint));
  ctx.lastJudgement = hit;
  ++tapsSinceCorrect_;
  if (!hit) {
    broadcast(kMsgMiss);
    play("touch_out");
    missedSinceCorrect_ = true;
    ctx.streak = 0;
    outline_->reveal(*place_, revealTime_);
    return;
  }
  broadcast(kMsgTapsOff);
  broadcast(kMsgCorrect);
  outline_->flash(*place_);
  ctx.totalTaps += tapsSinceCorrect_;
  tapsSinceCorrect_ = 0;
  play(missedSinceCorrect_ ? "touch_in" : "touch_just");
  answered_.push_back(currentKey_);
  ++ctx.correctCount;
  ++ctx.correctInLevel;
  if (!missedSinceCorrect_) {
    ++ctx.streak;
    ++ctx.justCount;
    ctx.bestStreak = std::max(ctx.bestStreak, ctx.streak - 1);
    ctx.tasks->create<TouchJust>(kLayerScreen, ctx_, widgets_, ctx.streak);
  }
  missedSinceCorrect_ = false;
  ctx.score += static_cast<int>(2.0f * static_cast<float>(ctx.streak) + 10.0f);
  if (ctx.correctInLevel == ctx.questionsNeeded) levelUp();
  nextDelay_ = refreshDelay_;
  ctx.answerClock = 0;
}

void GameMain::levelUp() {
  GameContext& ctx = *ctx_;
  setLevel(ctx.level + 1);
  askedThisLevel_ = 0;
  if (ctx.gameClock >= 0) {
    const float spent = clockAtLevelStart_ - ctx.gameClock;
    const float bonus = (initialClock_ - spent) * bonusRate_;
    if (bonus > 0) ctx.gameClock = std::min(ctx.gameClock + bonus, kClockCap);
    clockAtLevelStart_ = ctx.gameClock;
  }
  play("lvup", 0.8f, 0.25f);
  broadcast(kMsgLevelUp);
}

void GameMain::message(int code) {
  GameContext& ctx = *ctx_;
  switch (code) {
    case kMsgQuestionsBegin:
      started_ = running_ = nextDue_ = true;
      if (ctx.scenes) ctx.scenes->createGameMenu(ctx);
      if (ctx.demonstration && replay_) replay_->startPlayback();
      break;
    case kMsgGameEnding:
      nextDelay_ = 0;
      nextDue_ = false;
      ctx.answerClock = 0;
      running_ = false;
      play("stop");
      broadcast(kMsgTapsOff);
      ctx.tasks->create<GameOver>(kLayerScreen, ctx_, widgets_);
      if (ctx.demonstration && replay_) replay_->stopPlayback();
      break;
    case kMsgBackToTitle:
      if (ctx.demonstration && replay_) replay_->stopPlayback();
      retire();
      break;
    case kMsgPauseToggle:
      paused_ = !paused_;
      break;
    case kMsgGlobeTapped:
      judgeTap();
      break;
    case kMsgIntroDone:
      ctx.tasks->create<GameStart>(kLayerScreen, ctx_, widgets_);
      break;
    case kMsgGameOverDone:
      if (!ctx.demonstration) {
        PlaceDatabase::markFound(answered_, *ctx.settings);
        if (ctx.scenes) ctx.scenes->createResults(ctx);
      }
      break;
    case kMsgResultsDone:
      if (ctx.scenes) ctx.scenes->createRanking(ctx, ctx.mode);
      break;
    case kMsgRankingClosed:
      ctx.backToTitle = true;
      break;
    default:
      break;
  }
}

void GameMain::broadcast(int code) { ctx_->tasks->broadcast(code); }

void GameMain::play(const char* sound, float volume, float delay) {
  if (ctx_->sound) ctx_->sound->play(sound, volume, delay);
}

bool GameMain::chance(int percent) { return std::rand() % 100 < percent; }

}  // namespace orb
