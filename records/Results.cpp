#include "records/Results.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <string>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/Agree.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "gfx/Widget.h"
#include "gfx/WidgetSet.h"
#include "globe/EarthModel.h"
#include "globe/FadeLight.h"
#include "globe/GameContext.h"
#include "globe/ResetCamera.h"
#include "input/TouchDispatcher.h"
#include "records/PractiseList.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr const char* kLabelNames[Results::kRowCount] = {
    "result_konahen", "result_level", "result_just", "result_just_max",
    "result_tap",     "result_tap_avg", "result_score"};
constexpr const char* kFameNames[Results::kFameMarks] = {"result_fame1", "result_fame2",
                                                         "result_fame3"};
// Each counter starts this many "ctup_delay" steps after the first; the score
// waits one step more, so the average has settled before it runs.
constexpr float kStartSteps[Results::kRowCount] = {0, 1, 2, 3, 4, 5, 7};
constexpr int kCountEasing = kEaseLinear;

// Row layout inside the number block, in layout units. The rows use the small
// digit strip (advance 22); the average is "nn.nn", its point between the
// two-digit halves.
constexpr float kAvgPointX = 39.0f;
constexpr float kAvgFractionX = 56.0f;
constexpr float kAvgDashX[4] = {0.0f, 22.0f, 56.0f, 78.0f};
constexpr int kGlyphPoint = 10;
constexpr int kGlyphDash = 11;
constexpr float kHundredthNudge = 1e-3f;
// The score stands apart: a larger gap above it, large digits, its own x.
constexpr float kScoreGap = 1.25f;  // row pitches between the average and the score
constexpr float kScoreX = 20.0f;
constexpr int kScoreDigits = 4;

// Where the globe rests while the figures are read.
constexpr float kRestViewTime = 3.0f;
constexpr int kRestViewEasing = kEaseQuadInOut;
constexpr float kSpinTime = 1.0f;
constexpr int kSpinEasing = kEaseCircIn;
constexpr float kLightFrom = 1.0f;
constexpr float kLightTo = 0.5f;  // dim enough that the panel reads over the day side
constexpr float kLightTime = 3.0f;
constexpr int kLightEasing = kEaseQuadOut;

constexpr float kMarkGrey = 0.2f;  // a fame mark not earned: a dark slot

const picojson::value& section(const GameContext& context) {
  return json::at(context.params->root(), "results");
}

}  // namespace

int Results::fameCount(int level, int correct, int just, int justMax, int taps) {
  int d = correct / 10 + level / 2 + just / 10 + justMax / 5;
  // Each third of a tap per place beyond the first tap costs a point.
  if (correct > 0) d += 3 - (taps * 3) / correct;
  if (d < 0) return 0;
  return std::min(d, 3 * kFameMarks) / 3;
}

Results::Results(GameContext* context) : context_(context), touch_(context->touch) {
  GameContext& ctx = *context_;
  assert(ctx.params && ctx.tasks && ctx.textures && ctx.settings && ctx.earth && ctx.camera &&
         ctx.touch);
  SceneTrace::enter("results");
  const picojson::value& params = section(ctx);
  ctupDelay_ = json::real(params, "ctup_delay");
  countup_ = json::real(params, "countup");
  inputDelay_ = json::real(params, "input_delay");
  offset_ = {json::real(params, "ofs_x"), json::real(params, "ofs_y")};
  nextY_ = json::real(params, "next_y");
  numPos_ = {json::realAt(json::at(params, "num_pos"), 0),
             json::realAt(json::at(params, "num_pos"), 1)};
  fameTime_ = json::real(params, "fame_time");
  fameTimeOfs_ = json::real(params, "fame_time_ofs");
  fameScale_ = json::real(params, "fame_scale", 1.0f);
  easingOut_ = json::at(params, "easing_out");
  panel_.load(json::at(params, "easing_in"), kPanelEasing);
  panel_.restart();
  for (Vec2<float>& m : marks_) m = {fameScale_, 0.0f};

  digits_ = ctx.textures->getTexture(*ctx.dataDir + "devdata/game.png");
  corner_ = ctx.textures->getTexture(*ctx.dataDir + "devdata/round.png");
  const picojson::value& game = json::at(ctx.params->root(), "game");
  widgets_ = std::make_shared<const WidgetSet>(json::at(game, "widgets"), *ctx.textures, *ctx.dataDir,
                                               ctx.screen->pair);
  title_ = widgets_->get("result_title");
  for (int i = 0; i < kRowCount; ++i) {
    const std::shared_ptr<Widget> shared = widgets_->get(kLabelNames[i]);
    if (!shared) continue;
    // A copy: the game's set is shared, and here y counts rows.
    auto label = std::make_shared<Widget>(*shared);
    label->y = label->baseY = shared->baseY * nextY_;
    labels_[i] = label;
  }
  for (int i = 0; i < kFameMarks; ++i) fameWidgets_[i] = widgets_->get(kFameNames[i]);

  targets_[kKonahen] = static_cast<float>(ctx.correctCount);
  targets_[kLevel] = static_cast<float>(ctx.level + 1);
  targets_[kJust] = static_cast<float>(ctx.justCount);
  targets_[kJustMax] = static_cast<float>(ctx.bestStreak);
  targets_[kTap] = static_cast<float>(ctx.totalTaps);
  targets_[kTapAvg] = ctx.correctCount >= 1
                          ? static_cast<float>(ctx.totalTaps) / static_cast<float>(ctx.correctCount)
                          : 0.0f;
  targets_[kScore] = static_cast<float>(ctx.score);
  end_ = kStartSteps[kScore] * ctupDelay_ + countup_;
  fame_ = fameCount(ctx.level, ctx.correctCount, ctx.justCount, ctx.bestStreak, ctx.totalTaps);

  if (ctx.sound) ctx.sound->play("result", 1.0f, 0.0f);
  touch_->add(this);
  if (!ctx.missedPlaces.empty()) {
    ctx.tasks->create<PractiseList>(kLayerScreen, context_, kBoxWidth / 2.0f, kBoxCentreY - kBoxHeight / 2.0f);
  }
  ctx.tasks->broadcast(kMsgControlOff);
  restView();
  countGame();
}

Results::~Results() { touch_->remove(this); }

void Results::restView() {
  GameContext& ctx = *context_;
  auto move = ctx.tasks->create<ResetCamera>(kLayerOverlay3D, context_);
  move->easing = kRestViewEasing;
  move->duration = kRestViewTime;
  move->pickRandomDistance();
  ctx.earth->startSpinTween(ctx.earth->defaultSpinSpeed(), kSpinTime, kSpinEasing);
  ctx.earth->lightLevel = kLightFrom;
  auto fade = ctx.tasks->create<FadeLight>(kLayerOverlay3D, context_);
  fade->end = kLightTo;
  fade->duration = kLightTime;
  fade->easing = kLightEasing;
}

void Results::countGame() {
  SettingsStore& settings = *context_->settings;
  settings.setFlag("played", true);
  picojson::value& playnum = settings.member("playnum");
  if (!playnum.is<picojson::array>()) playnum = picojson::value(picojson::array());
  picojson::array& plays = playnum.get<picojson::array>();
  const std::size_t mode = static_cast<std::size_t>(std::clamp(context_->mode, 0, kModeCount - 1));
  while (plays.size() < static_cast<std::size_t>(kModeCount)) plays.emplace_back(0.0);
  plays[mode] = picojson::value(json::number(plays[mode]) + 1.0);
  if (settings.correctRate() >= 1.0f) settings.setFlag("nightmode", true);
}

void Results::touchesEnded(TouchDispatcher&, const Touches&) {
  if (!finished_ && !panelRunning_) continueRequested_ = true;
}

void Results::message(int code) {
  if (code == kMsgAgreed) {
    continueRequested_ = true;
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

void Results::countUp(float dt) {
  if (clock_ < end_) clock_ += dt;
  for (int i = 0; i < kRowCount; ++i) {
    const float target = targets_[i];
    const float t = std::clamp(clock_ - kStartSteps[i] * ctupDelay_, 0.0f, countup_);
    shown_[i] = target > 0.0f ? tweened(t, 0.0f, target, countup_, kCountEasing) : 0.0f;
  }
}

void Results::update(float dt) {
  if (!alive()) return;
  if (panelRunning_ && !panel_.update(dt)) {
    panelRunning_ = false;
    if (closing_) {
      retire();
      return;
    }
  }

  if (inputDelay_ > 0.0f) {
    inputDelay_ -= dt;
  } else if (continueRequested_ && !panelRunning_) {
    continueRequested_ = false;
    if (finished_) {
      closing_ = panelRunning_ = true;
      panel_.load(easingOut_, kPanelEasing);
      panel_.restart();
      context_->tasks->broadcast(kMsgResultsDone);
    } else {
      clock_ = end_;  // every counter jumps to its figure
    }
  }
  countUp(dt);

  if (!finished_ && clock_ >= end_) {
    finished_ = famePhase_ = true;
    context_->tasks->create<Agree>(kLayerScreen, context_);
  }

  if (!famePhase_) return;
  if (fameClock_ < kFameMarks * fameTimeOfs_ + fameTime_) fameClock_ += dt;
  for (int i = 0; i < kFameMarks; ++i) {
    const float t = fameClock_ - static_cast<float>(i) * fameTimeOfs_;
    Vec2<float>& m = marks_[i];
    tween(m.x, t, fameScale_, 1.0f, fameTime_, kFameEasing);
    tween(m.y, t, 0.0f, 1.0f, fameTime_, kFameEasing);
  }
}

void Results::drawNumbers(float alpha) const {
  const float x = offset_.x + numPos_.x;
  float y = offset_.y + numPos_.y;
  const auto row = [&](Row r, int digits) {
    drawSmallNumber(static_cast<int>(shown_[r]), digits, {x, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
    y += nextY_;
  };
  row(kKonahen, 3);
  // Past level 9 one glyph would read as a symbol.
  row(kLevel, targets_[kLevel] >= 10.0f ? 2 : 1);
  row(kJust, 3);
  row(kJustMax, 3);
  row(kTap, 3);

  if (targets_[kTapAvg] > 0.0f) {
    // Truncated to hundredths; the nudge keeps 23 / 20 from showing as 1.14
    // (1.15f is stored just below 1.15).
    const int hundredths = static_cast<int>(shown_[kTapAvg] * 100.0f + kHundredthNudge);
    drawSmallNumber(hundredths / 100, 2, {x, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
    drawSmallNumber(kGlyphPoint, 1, {x + kAvgPointX, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
    drawSmallNumber(hundredths % 100, 2, {x + kAvgFractionX, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
  } else {
    for (float dx : kAvgDashX) drawSmallNumber(kGlyphDash, 1, {x + dx, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
    drawSmallNumber(kGlyphPoint, 1, {x + kAvgPointX, y}, 1.0f, 1.0f, 1.0f, alpha, digits_);
  }
  y += kScoreGap * nextY_;
  drawLargeNumber(static_cast<int>(shown_[kScore]), kScoreDigits, {offset_.x + kScoreX, y}, 1.0f,
                  1.0f, 1.0f, alpha, digits_);
}

void Results::draw() {
  const float scale = panel_.value().x;
  const float alpha = panel_.value().y;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glScalef(scale, scale, 1.0f);

  GrpRoundBox box;
  box.texture = corner_;
  box.width = kBoxWidth;
  box.height = kBoxHeight;
  box.x = -kBoxWidth / 2.0f;
  box.y = kBoxCentreY - kBoxHeight / 2.0f;
  // The corner image holds the HUD panels' own fill and light edge.
  box.r = box.g = box.b = 1.0f;
  box.a = alpha;
  box.draw();

  const Tint white{1.0f, 1.0f, 1.0f, alpha};
  drawWidget(title_.get(), 0.0f, 0.0f, white);
  for (const auto& label : labels_) drawWidget(label.get(), offset_.x, offset_.y, white);
  drawNumbers(alpha);

  if (famePhase_) {
    for (int i = 0; i < kFameMarks; ++i) {
      const Vec2<float>& m = marks_[i];
      const float c = i < fame_ ? 1.0f : kMarkGrey;
      drawWidget(fameWidgets_[i].get(), 0.0f, 0.0f, Tint{c, c, c, m.y * alpha},
                 m.x);
    }
  }
  glPopMatrix();
}

}  // namespace orb
