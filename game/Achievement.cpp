#include "game/Achievement.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "data/Translation.h"
#include "game/Agree.h"
#include "gfx/Easing.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr const char* kFontName = "achievement";
constexpr const char* kCornerImage = "devdata/round.png";
constexpr float kLineGap = 10.0f;   // between lines, and once more between two features
constexpr float kBoxMargin = 50.0f;  // box size beyond the widest line and the stacked lines
constexpr float kBoxLift = 15.0f;    // the panel sits a little above the screen's middle
// The heading takes the one warm accent of the HUD; the feature lines stay white.
constexpr float kAccent[3] = {1.0f, 0.74f, 0.25f};

}  // namespace

Achievement::Achievement(GameContext* context) : context_(context) {
  assert(context_->params && context_->settings && context_->tasks);
  const picojson::value& p = json::at(context_->params->root(), "achievement");
  const Translation* language = context_->language;
  // Keys: "achievement.title" for the heading, "achievement.<unlock>.<line>" for the lines.
  auto say = [language](const std::string& key, const std::string& english) {
    return language ? language->text(key, english) : english;
  };
  heading_ = say("achievement.title", json::string(p, "title"));
  const picojson::value& text = json::at(p, "text");
  // picojson objects are ordered maps: key order comes for free.
  const picojson::value& announced = context_->settings->root().get("achievement");
  if (announced.is<picojson::object>()) {
    for (const auto& [key, value] : announced.get<picojson::object>()) {
      if (json::boolean(value) || !context_->settings->getFlag(key)) continue;
      newKeys_.push_back(key);
      std::vector<std::string> lines;
      for (const auto& line : json::array(json::at(text, key))) {
        lines.push_back(say("achievement." + key + "." + std::to_string(lines.size()), json::string(line)));
      }
      texts_.push_back(std::move(lines));
    }
  }
  if (newKeys_.empty()) {
    closing_ = true;
    easeTime_ = 0.0f;
    return;
  }
  delay_ = json::real(p, "delay");
  if (context_->fonts) font_ = context_->fonts->getFont(kFontName);
  if (context_->textures && context_->dataDir) corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);
}

Achievement::~Achievement() {
  // Only an "achievement" object is refreshed: after the settings have been
  // closed at exit nothing is added to them.
  if (!json::at(context_->settings->root(), "achievement").is<picojson::object>()) return;
  picojson::value& announced = context_->settings->member("achievement");
  for (auto& [key, value] : announced.get<picojson::object>()) value = picojson::value(context_->settings->getFlag(key));
}

std::vector<std::string> Achievement::lines() const {
  std::vector<std::string> all{heading_};
  for (const auto& block : texts_) all.insert(all.end(), block.begin(), block.end());
  return all;
}

void Achievement::easeTo(const Pair& to, float duration) {
  from_ = pair_;
  to_ = to;
  easeTime_ = duration;
  easeClock_ = 0.0f;
}

void Achievement::update(float dt) {
  if (!alive()) return;
  if (delay_ > 0.0f) {
    delay_ -= dt;
    if (delay_ > 0.0f) return;
    if (context_->sound) context_->sound->play("unlock", 1.0f, 0.0f);
    shown_ = true;
  }
  if (easeClock_ < easeTime_) easeClock_ = std::min(easeClock_ + dt, easeTime_);
  tween(pair_.alpha, easeClock_, from_.alpha, to_.alpha, easeTime_, kEaseCubicOut);
  tween(pair_.scale, easeClock_, from_.scale, to_.scale, easeTime_, kEaseCubicOut);
  if (agreeIn_ > 0.0f && !newKeys_.empty()) {
    agreeIn_ -= dt;
    if (agreeIn_ <= 0.0f) context_->tasks->create<Agree>(kLayerScreen, context_);
  }
  if (closing_ && easeClock_ >= easeTime_) {
    retire();
    context_->tasks->broadcast(kMsgAchievementDone);
  } else if (agreed_ && !closing_) {
    easeTo({0.0f, 0.8f}, kCloseTime);
    closing_ = true;
    agreed_ = false;
  }
}

void Achievement::message(int code) {
  if (code == kMsgAgreed && shown_) agreed_ = true;
}

void Achievement::draw() {
  if (!shown_ || !font_ || !font_->valid()) return;
  Font& f = *font_;
  const float pitch = static_cast<float>(f.height) + kLineGap;
  const std::vector<std::string> all = lines();
  float widest = 0.0f;
  for (const auto& line : all) widest = std::max(widest, f.measureText(line).x);
  float stacked = pitch;  // the heading
  for (const auto& block : texts_) stacked += pitch * static_cast<float>(block.size()) + kLineGap;
  stacked -= kLineGap;  // no gap below the last line

  glPushMatrix();
  glScalef(pair_.scale, pair_.scale, 1.0f);
  GrpRoundBox box;
  box.texture = corner_;
  box.width = std::round(widest + kBoxMargin);
  box.height = std::round(stacked + kBoxMargin);
  box.x = -std::round(box.width / 2.0f);
  box.y = -std::round(box.height / 2.0f) - kBoxLift;
  // The corner image holds the panel's own colours: untinted, faded with the pair.
  box.r = box.g = box.b = 1.0f;
  box.a = pair_.alpha;
  box.draw();

  // Baselines: the block is centred on the box, each line's ink centred in x.
  const float ascender = f.ascender(), descender = f.descender();
  float top = box.y + kBoxMargin / 2.0f;
  f.scaleX = f.scaleY = 1.0f;
  f.rotation = 0.0f;
  f.pivotY = 0.0f;
  f.a = pair_.alpha;
  const auto drawLine = [&](const std::string& line, const float* colour) {
    f.r = colour[0];
    f.g = colour[1];
    f.b = colour[2];
    f.x = 0.0f;
    f.y = std::round(top + (static_cast<float>(f.height) + ascender - descender) / 2.0f);
    f.pivotX = std::round(f.inkMiddle(line));
    f.drawText(line);
    top += pitch;
  };
  const float white[3] = {1.0f, 1.0f, 1.0f};
  const float dim[3] = {0.86f, 0.88f, 0.92f};
  drawLine(heading_, kAccent);
  for (const auto& block : texts_) {
    top += kLineGap;
    for (std::size_t i = 0; i < block.size(); ++i) drawLine(block[i], i == 0 ? white : dim);
  }
  f.r = f.g = f.b = f.a = 1.0f;
  f.pivotX = 0.0f;
  glPopMatrix();
}

}  // namespace orb
